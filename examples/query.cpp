// The typical query: a session over the last hour, two tags, their samples.
#include <corvanesim/CorvaneSim.h>

#include <cstdio>

using namespace corvane::client;

int main()
{
    try {
        const Data data = Data::create(Connection::sessionBus());
        data.setHostName(u"localhost");
        data.login(u"operator", u"secret");
        data.setSampleFrequency(600);
        data.setSampleMethod(u"Interpolated");
        data.setStartTime(u"NOW-60M");
        data.setEndTime(u"NOW");
        const Tags tags = data.tags();
        tags.add(u"TIC101.PV");
        tags.add(u"FIC101.PV");
        data.fetch();
        for (const Tag& tag : tags) {
            const History history = tag.unpackResults();
            for (std::size_t i = 0; i < history.values.size(); ++i)
                std::printf("%-10s %s %10g %4d\n", toUtf8(tag.tagName()).c_str(), dateText(history.timestamps[i]).c_str(),
                            history.values[i], history.confidences[i]);
        }
    } catch (const RemoteError& error) {
        std::fprintf(stderr, "query: %s (%s)\n", error.what(), toUtf8(error.source()).c_str());
        return 1;
    }
}
