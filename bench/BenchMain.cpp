// corvane_bench: the in-process figures, then the targets they are judged by.
#include "Targets.h"

#include <QApplication>

using corvane::bench::Target;

int main(int argc, char** argv)
{
    if (!corvane::bench::readBenchmarkFlags(argc, argv)) return 1;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    return corvane::bench::runWithTargets({
        {"UnpackResults of 40,321 samples, sine on / plain loop (CPU)", "UnpackResults/40321/0@cpu",
         "UnpackResultsPlainLoop/40321@cpu", 2.0, false, ""},
        {"Tags.Add with its grid row: last 1,000 of 10,000 / first 1,000", "TagsAdd/10000/iterations:3#last1000_ms",
         "TagsAdd/10000/iterations:3#first1000_ms", 1.3, false, ""},
        {"Put0 into one log: last 1,000 of 10,000 / first 1,000", "Put0IntoOneLog/10000/iterations:3#last1000_ms",
         "Put0IntoOneLog/10000/iterations:3#first1000_ms", 1.3, false, ""},
        {"Load of 100,000 rows via the reader / mdb-export (CPU, both)", "TagStoreLoadThroughTheReader/real_time#cpu_ms",
         "MdbExport/real_time#cpu_ms", 1.0, false, ""},
        {"Load of 100,000 rows via the reader / mdb-export (clock)", "TagStoreLoadThroughTheReader/real_time",
         "MdbExport/real_time", 1.0, false, ""},
        {"Load of 100,000 rows by our own reader / mdb-export (CPU)", "TagStoreLoadByOwnReader/real_time#cpu_ms",
         "MdbExport/real_time#cpu_ms", 1.0, false, ""},
        {"Heap per tag with its grid row, 100,000 tags", "MemoryPerTag/100000/iterations:1#bytes_per_tag", "", 4096, false,
         "bytes"},
        {"Heap growth per cycle over 99,000 session cycles", "SessionCycles/100000/iterations:1#heap_growth_per_cycle", "",
         1, false, "bytes"},
    });
}
