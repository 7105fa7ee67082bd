#pragma once

#include "update/startupupdate.h"

#include <QList>

#include <utility>

namespace dovra::test {

// An update service that answers with a set offer and records what it was asked.
class FakeUpdates : public UpdateService
{
public:
    UpdateOffer check(const ProxyPreferences& proxy) override
    {
        ++checks;
        askedWith = proxy;
        return offer;
    }
    void closeWindow() override { ++closes; }
    bool startDownload(bool checklist, bool program) override
    {
        downloads.append({checklist, program});
        return programEnds;
    }

    UpdateOffer offer;
    bool programEnds = true;
    int checks = 0, closes = 0;
    ProxyPreferences askedWith;
    QList<std::pair<bool, bool>> downloads;
};

} // namespace dovra::test
