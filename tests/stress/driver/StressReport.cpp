#include "StressReport.h"

#include <cstdio>

namespace corvane::stress {

namespace {

std::string mebibytes(std::uint64_t bytes)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.2f MiB", double(bytes) / (1024.0 * 1024.0));
    return text;
}

std::string signedKibibytes(std::uint64_t from, std::uint64_t to)
{
    const double delta = (double(to) - double(from)) / 1024.0;
    char text[32];
    std::snprintf(text, sizeof text, "%+.1f KiB", delta);
    return text;
}

std::string censusText(const Census& census)
{
    return std::to_string(census.clientReferences) + " references of " + std::to_string(census.clients) +
           " clients (" + std::to_string(census.objectReferences) + " counted by object); " +
           std::to_string(census.exported()) + " objects exported (" + exportedText(census).toStdString() + "), " +
           std::to_string(census.heldByRegistryAlone) + " held by nothing but the registry";
}

std::string clientsText(const ClientFleet::Figures& f)
{
    return "started " + std::to_string(f.started) + " (" + std::to_string(f.onDirectConnection) +
           " on the direct connection), killed " + std::to_string(f.killed) + ", ended by themselves " +
           std::to_string(f.endedReleasing) + " releasing and " + std::to_string(f.endedAbandoning) +
           " abandoning their references, failed " + std::to_string(f.failures.size());
}

}  // namespace

std::vector<std::string> StressReport::failures() const
{
    std::vector<std::string> found = problems;
    const auto expect = [&found](bool holds, const std::string& what) {
        if (!holds) found.push_back(what);
    };
    expect(!serverEndedDuringRun && serverPidAtStart != 0 && serverPidAtStart == serverPidAtEnd,
           "the server did not live through the run (process " + std::to_string(serverPidAtStart) + ", then " +
               std::to_string(serverPidAtEnd) + ")");
    for (const auto* figures : {&warmup, &load})
        for (const QString& failure : figures->failures) found.push_back(failure.toStdString());
    expect(after.census.clients == 0 && after.census.clientReferences == 0 && after.census.objectReferences == 0,
           "client references are left: " + censusText(after.census));
    expect(after.census.exportedByClass == before.census.exportedByClass && after.census.heldByRegistryAlone == 0,
           "the exported objects are not those of the start: before " + censusText(before.census) + "; after " +
               censusText(after.census));
    expect(after.heapInUse <= before.heapInUse + options.heapToleranceKiB * 1024,
           "the heap in use grew by " + signedKibibytes(before.heapInUse, after.heapInUse) + ", more than " +
               std::to_string(options.heapToleranceKiB) + " KiB");
    expect(!digestBefore.isEmpty() && digestBefore == digestAfter,
           "the tag database changed: " + digestBefore.toStdString() + " -> " + digestAfter.toStdString());
    expect(load.killed > 0, "no client was killed");
    return found;
}

void StressReport::print(std::ostream& out) const
{
    const double rate = loadSeconds > 0 ? double(after.callsServed - before.callsServed) / loadSeconds : 0;
    char rateText[32];
    std::snprintf(rateText, sizeof rateText, "%.0f", rate);
    out << "corvane_stress: " << options.seconds << " s, " << options.clients << " clients, seed " << options.seed
        << ", a kill every " << options.killEveryMinMs << "-" << options.killEveryMaxMs << " ms, warm-up "
        << options.warmupSeconds << " s, clients on " << (options.route == "both" ? "the bus and the direct connection" : "the " + options.route + " route") << "\n"
        << "  server           process " << serverPidAtStart << (serverPidAtStart == serverPidAtEnd && !serverEndedDuringRun ? ", the same throughout" : ", NOT the same throughout")
        << "; exit questions answered No: " << exitQuestionsAnswered << "\n"
        << "  calls served     " << (after.callsServed - before.callsServed) << " during the load (" << rateText
        << " a second), " << after.callsServed << " in all\n"
        << "  clients          " << clientsText(load) << "\n"
        << "    in warm-up     " << clientsText(warmup) << "\n"
        << "  references       before: " << before.census.clientReferences << " of " << before.census.clients
        << " clients; during: up to " << peakReferences << "; after: " << after.census.clientReferences << " of "
        << after.census.clients << " clients (the server heard of the last direct connections' ends within "
        << after.directEndsWaitMs << " ms)\n"
        << "  objects exported before: " << before.census.exported() << " (" << exportedText(before.census).toStdString()
        << "); during: up to " << peakExported << "; after: " << after.census.exported() << " ("
        << exportedText(after.census).toStdString() << "), " << after.census.heldByRegistryAlone
        << " held by the registry alone (collected within " << after.collectionCalls << " calls)\n"
        << "  heap in use      at start " << mebibytes(cold.heapInUse) << "; before: " << mebibytes(before.heapInUse)
        << "; during: up to " << mebibytes(peakHeapInUse) << "; after: " << mebibytes(after.heapInUse) << " ("
        << signedKibibytes(before.heapInUse, after.heapInUse) << ", tolerance " << options.heapToleranceKiB << " KiB)\n"
        << "  resident size    before: " << mebibytes(before.residentKiB * 1024) << "; after: "
        << mebibytes(after.residentKiB * 1024) << " (not judged: the allocator keeps pages it has freed)\n"
        << "  tag database     sha256 " << digestBefore.toStdString()
        << (digestBefore == digestAfter ? ", the same after" : ", after: " + digestAfter.toStdString()) << "\n";
}

}  // namespace corvane::stress
