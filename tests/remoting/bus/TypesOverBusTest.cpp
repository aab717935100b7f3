// Every Automation type through the real server and back: the arguments of a
// call come back in the reply, by value as sent and by reference with the
// referenced value.
#include "BusFixture.h"

#include "automation/HResult.h"
#include "automation/SafeArray.h"

#include <climits>
#include <deque>

using namespace corvane::automation;
using namespace corvane::remoting::test;
namespace m = corvane::remoting::test::member;

namespace {

template <class T>
Variant arrayOf(VarType type, std::int32_t lowerBound, std::vector<T> elements)
{
    return Variant::array(std::make_shared<SafeArray>(type, lowerBound, std::move(elements)));
}

class TypesOverBus : public BusFixture {
protected:
    void SetUp() override
    {
        BusFixture::SetUp();
        tags = tagsOf(createData());
        tag = client->object(addTag(tags, u"TIC101.PV"));
        enumerator = client->invoke(tags, m::kTagsNewEnum, m::kMethod | m::kGet).result;
    }

    // One value of every type, objects of the server included.
    std::vector<Variant> everyType() const
    {
        return {
            Variant(), Variant::null(), Variant(std::int16_t{-32768}), Variant(std::int32_t{INT_MAX}), Variant(-1.5e-38f),
            Variant(2.2250738585072014e-308), Variant::currency(-922337203685477580LL), Variant::date(-657434.0),
            Variant(u"\u00e9\u4e2d\U0001F600"), tag, Variant::dispatch({}), Variant::error(hresult::kParamNotFound),
            Variant::boolean(true), enumerator, Variant(std::uint8_t{0}),
            arrayOf<std::int16_t>(VarType::I2, -1, {1, 2}), arrayOf<std::int32_t>(VarType::I4, 0, {3}),
            arrayOf<float>(VarType::R4, 0, {0.25f}), arrayOf<double>(VarType::R8, 7, {}),
            arrayOf<std::int64_t>(VarType::Currency, 0, {10000}), arrayOf<double>(VarType::Date, 0, {1.5}),
            arrayOf<std::u16string>(VarType::String, 0, {u"a", u""}),
            arrayOf<Ref<Object>>(VarType::Dispatch, 0, {tag.object(), Ref<Object>()}),
            arrayOf<std::int32_t>(VarType::Error, 0, {0}), arrayOf<std::int16_t>(VarType::Bool, 0, {-1, 0}),
            arrayOf<Variant>(VarType::Variant, 0, {Variant(u"x"), tag, Variant::null()}),
            arrayOf<Ref<Object>>(VarType::Unknown, 0, {enumerator.object()}),
            arrayOf<std::uint8_t>(VarType::UI1, 0, {1, 2, 3}),
        };
    }

    // Item takes one argument, so the server refuses these before any member
    // runs and returns them untouched.
    TestClient::Invoked echo(const std::vector<Variant>& args)
    {
        return client->invoke(tags, m::kTagsItem, m::kMethod | m::kGet, args);
    }

    QString tags;
    Variant tag;
    Variant enumerator;
};

TEST_F(TypesOverBus, EveryTypeComesBackAsSentByValue)
{
    ASSERT_EQ(enumerator.vt(), 13);
    const std::vector<Variant> sent = everyType();
    const auto back = echo(sent);
    EXPECT_EQ(back.hresult, qint32(0x8002000E));
    EXPECT_EQ(back.args, sent);
}

TEST_F(TypesOverBus, EveryTypeComesBackThroughAReferenceToAVariantAndATypedReference)
{
    std::deque<Variant> untyped, typed;
    std::vector<Variant> sent;
    for (const Variant& value : everyType()) {
        untyped.push_back(value);
        sent.push_back(Variant::referenceToVariant(untyped.back()));
        if (value.isEmpty() || value.isNull()) continue;  // no typed references to these
        typed.push_back(value);
        sent.push_back(Variant::reference(typed.back()));
    }
    const auto back = echo(sent);
    ASSERT_EQ(back.args.size(), sent.size()) << back.busErrorMessage.toStdString();
    for (std::size_t i = 0; i < sent.size(); ++i) {
        EXPECT_EQ(back.args[i].vt(), sent[i].vt()) << i;
        EXPECT_EQ(back.args[i].target(), sent[i].target()) << i;
    }
}

}  // namespace
