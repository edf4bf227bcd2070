#pragma once

// Metafiles built to cost a player as much time or memory as their size
// allows. The tests, the fuzzer's seed corpus (written by wmf_hostile) and
// bench_hostile all use these builders, so they measure the same files.
#include <QByteArray>
#include <QString>

#include <vector>

namespace wmftest {

struct HostileFile {
    QString name;  // also the seed corpus file name, without .wmf
    QString what;  // one line for the benchmark's table
    QByteArray bytes;
};

// n scales each file: 1 gives the full-size files of the benchmark, larger
// values give smaller files (about 1/n of the records) for the seed corpus.
std::vector<HostileFile> hostileFiles(int n = 1);

} // namespace wmftest
