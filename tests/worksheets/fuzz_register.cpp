// Any bytes as the register: reading either fills the copy in memory within
// its bounds or fails with RegisterError, and a register read whole takes one
// more title and reads back as the same titles plus that one.
#include "tests/support/fakes.h"
#include "worksheets/register.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

using namespace oravians;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    testing::Rig rig;
    rig.files.put(QStringLiteral("multiple\\track.txt"), QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
    try {
        readRegister(rig.app);
    } catch (const RegisterError&) {
        return 0;
    }
    const Module1& m = rig.app.module1;
    if (m.trackcount < 0 || m.trackcount > 1000)
        std::abort();
    std::vector<QString> before(m.tracktitles.begin() + 1, m.tracktitles.begin() + 1 + m.trackcount);
    // A title read from inside quotes may hold what a plain line cannot.
    for (const QString& t : before)
        if (t.contains(u',') || t.contains(u'\r') || t.contains(u'\n') || t.startsWith(u'"') || t.startsWith(u' '))
            return 0;
    const QString added = QStringLiteral("Fuzz Sheet");
    const bool present = std::find(before.begin(), before.end(), added) != before.end();
    try {
        trackworksheets(rig.app, added);
    } catch (const RegisterError&) {
        if (before.size() < 1000)
            std::abort(); // only a full register may refuse
        return 0;
    }
    if (!present)
        before.push_back(added);
    readRegister(rig.app);
    if (std::vector<QString>(m.tracktitles.begin() + 1, m.tracktitles.begin() + 1 + m.trackcount) != before)
        std::abort();
    return 0;
}
