// Feeds arbitrary bytes to the exchange file reader: it must give a record set or a refusal, and never
// crash, hang or grow without bound. Small limits, so that the fuzzer reaches them too.
#include "exchange/adoxmlreader.h"

#include <QBuffer>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    dovra::exchange::ReadLimits limits;
    limits.maxRows = 1000;
    limits.maxValues = 100000;
    limits.maxAttributeLength = 4096;
    const dovra::exchange::ReadResult result = dovra::exchange::readAdoXml(buffer, limits);
    // Exactly one of the two: a record set or the reason why not.
    if (result.recordSet.has_value() == !result.error.isEmpty())
        __builtin_trap();
    return 0;
}
