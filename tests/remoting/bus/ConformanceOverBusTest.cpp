// The conformance cases shared with the COM boundary, played over the bus.
#include "BusFixture.h"
#include "ConformanceCases.h"

namespace corvane::remoting::test {
namespace {

namespace conformance = corvane::test::conformance;

class ConformanceOverBus : public BusFixture, public ::testing::WithParamInterface<conformance::Case> {
protected:
    void SetUp() override
    {
        BusFixture::SetUp();
        data = createData();
        tags = tagsOf(data);
        tag = addTag(tags, u"TIC101.PV");
    }

    conformance::Answer play(const conformance::Call& call)
    {
        const QString& target = call.on == conformance::Role::Data ? data
                                : call.on == conformance::Role::Tags ? tags
                                                                     : tag;
        conformance::Answer answer;
        qint32 id = 0;
        if (call.member) {
            std::vector<qint32> ids;
            answer.hresult = client->idsOfNames(target, {QString::fromUtf16(call.member)}, ids);
            if (answer.hresult != 0) return answer;
            id = ids.front();
        }
        const bool isPut = call.flags & member::kPut;
        const TestClient::Invoked invoked =
            client->invoke(target, id, call.flags, call.args, isPut ? std::vector<qint32>{-3} : std::vector<qint32>{});
        answer.hresult = invoked.hresult;
        answer.exceptionCode = invoked.exception.code;
        if (!invoked.result.isObject()) answer.result = invoked.result;
        return answer;
    }

    QString data;
    QString tags;
    QString tag;
};

TEST_P(ConformanceOverBus, AnswersAsTheDispatchRulesSay)
{
    for (std::size_t i = 0; i < GetParam().calls.size(); ++i) {
        const conformance::Call& call = GetParam().calls[i];
        EXPECT_EQ(conformance::mismatch(call, play(call)), "") << "call " << i;
    }
}

INSTANTIATE_TEST_SUITE_P(Shared, ConformanceOverBus, ::testing::ValuesIn(conformance::cases()),
                         [](const auto& named) { return named.param.name; });

}  // namespace
}  // namespace corvane::remoting::test
