# Convenience entry points; the real build is CMake.
BUILD ?= build
JOBS ?= $(shell nproc)

.PHONY: all deps configure build run test package sanitize fuzz bench clean format

all: build

deps:
	@scripts/install-deps

# The install prefix is named for build folders configured before the package existed: the Debian package
# installs under /usr, where the programs look for their files.
configure: deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_INSTALL_PREFIX=/usr >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	cd $(BUILD)/bin && ./dovra

# The whole suite as the users start the program, on a Dutch desktop (LANG=nl_NL.UTF-8, no LC_ALL), and again
# in C.UTF-8: stored and exchanged data must not depend on either. A test that needs a locale sets it itself.
test: build
	cd $(BUILD) && env -u LC_ALL LANG=nl_NL.UTF-8 QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)
	cd $(BUILD) && env -u LC_ALL LANG=C.UTF-8 QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

# The Debian package $(BUILD)/dovra_<version>_amd64.deb.
package: build
	@cmake --build $(BUILD) --target package

# The whole suite on a build with AddressSanitizer and UndefinedBehaviorSanitizer, in a folder of its
# own, in the users' locale; any finding stops the test that made it. Leaks are not counted: Qt and
# fontconfig keep caches for the life of the process. The package test is left out: it only packs and
# installs what was built. CI runs it after `make test`.
sanitize: deps
	@cmake -S . -B $(BUILD)-sanitize -DCMAKE_BUILD_TYPE=RelWithDebInfo \
		-DCMAKE_CXX_FLAGS="-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer" \
		-DCMAKE_C_FLAGS="-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer" \
		-DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" >/dev/null
	@cmake --build $(BUILD)-sanitize -j $(JOBS)
	cd $(BUILD)-sanitize && env -u LC_ALL LANG=nl_NL.UTF-8 QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0 \
		UBSAN_OPTIONS=print_stacktrace=1 ctest --output-on-failure -j $(JOBS) -E "^package$$"

# The exchange file reader fed with mutations of the sample exchange files for FUZZ_SECONDS, built with
# clang's libFuzzer, AddressSanitizer and UndefinedBehaviorSanitizer in a folder of its own. The samples
# are copied: the fuzzer adds what it finds to its corpus; a finding stops the run and is kept as a file
# in $(BUILD)-fuzz.
FUZZ_SECONDS ?= 60

fuzz:
	@scripts/install-deps fuzz
	@CC=clang CXX=clang++ cmake -S . -B $(BUILD)-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DDOVRA_FUZZ=ON >/dev/null
	@cmake --build $(BUILD)-fuzz -j $(JOBS) --target fuzz_adoxml
	@rm -rf $(BUILD)-fuzz/corpus && mkdir -p $(BUILD)-fuzz/corpus && cp tests/data/exchange/* $(BUILD)-fuzz/corpus/
	cd $(BUILD)-fuzz && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
		./bin/fuzz_adoxml -max_total_time=$(FUZZ_SECONDS) -max_len=16384 -timeout=10 corpus

bench: build
	@for b in $(BUILD)/bin/bench_*; do [ -x "$$b" ] && "$$b"; done

format:
	@find src tests tools bench -name '*.cpp' -o -name '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD)
