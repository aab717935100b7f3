// A blocking call as the client library makes it, against a peer of sd-bus
// on its own thread that answers, refuses, keeps silent or hangs up, each as
// the call's member asks.
#include "remoting/common/BlockingCall.h"

#include <gtest/gtest.h>
#include <systemd/sd-bus.h>
#include <systemd/sd-id128.h>

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <memory>
#include <thread>

#include <sys/socket.h>

using corvane::remoting::callBlocking;

namespace {

constexpr std::uint64_t kPatientUs = 10'000'000;

class ScriptedPeer {
public:
    explicit ScriptedPeer(int socket) : thread_([this, socket] { serve(socket); }) {}
    ~ScriptedPeer() { thread_.join(); }

private:
    static void serve(int socket)
    {
        sd_bus* bus = nullptr;
        sd_id128_t id{};
        sd_id128_randomize(&id);
        sd_bus_new(&bus);
        sd_bus_set_fd(bus, socket, socket);
        sd_bus_set_server(bus, 1, id);
        if (sd_bus_start(bus) < 0) return (void)sd_bus_close_unref(bus);
        for (bool open = true; open;) {
            sd_bus_message* call = nullptr;
            const int result = sd_bus_process(bus, &call);
            if (result < 0) break;
            if (call == nullptr) {
                if (result == 0) sd_bus_wait(bus, UINT64_MAX);
                continue;
            }
            const char* member = sd_bus_message_get_member(call);
            if (!sd_bus_message_is_method_call(call, nullptr, nullptr)) open = false;  // Disconnected
            else if (std::strcmp(member, "Answer") == 0) sd_bus_reply_method_return(call, "i", 42);
            else if (std::strcmp(member, "Refuse") == 0)
                sd_bus_reply_method_errorf(call, "org.corvane.Test.Refused", "not today");
            else if (std::strcmp(member, "HangUp") == 0) open = false;
            sd_bus_message_unref(call);
        }
        sd_bus_close_unref(bus);
    }

    std::thread thread_;
};

class BlockingCall : public ::testing::Test {
protected:
    void SetUp() override
    {
        int ends[2];
        ASSERT_EQ(::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, ends), 0);
        peer_ = std::make_unique<ScriptedPeer>(ends[1]);
        sd_bus_new(&bus_);
        sd_bus_set_fd(bus_, ends[0], ends[0]);
        ASSERT_GE(sd_bus_start(bus_), 0);
    }
    void TearDown() override
    {
        if (sd_bus_is_open(bus_) > 0) call("HangUp", kPatientUs);
        sd_bus_flush_close_unref(bus_);
        peer_.reset();
        sd_bus_error_free(&error_);
        sd_bus_message_unref(reply_);
    }

    int call(const char* member, std::uint64_t deadlineUs)
    {
        sd_bus_message* message = nullptr;
        sd_bus_message_new_method_call(bus_, &message, nullptr, "/test", "org.corvane.Test", member);
        sd_bus_error_free(&error_);
        reply_ = sd_bus_message_unref(reply_);
        const int result = callBlocking(bus_, message, deadlineUs, &error_, &reply_);
        sd_bus_message_unref(message);
        return result;
    }

    sd_bus* bus_ = nullptr;
    std::unique_ptr<ScriptedPeer> peer_;
    sd_bus_error error_ = SD_BUS_ERROR_NULL;
    sd_bus_message* reply_ = nullptr;
};

TEST_F(BlockingCall, AnAnswerComesBackAsTheReplyAndARefusalAsItsErrorCallAfterCall)
{
    for (int round = 0; round < 3; ++round) {
        ASSERT_GE(call("Answer", kPatientUs), 0);
        std::int32_t answer = 0;
        ASSERT_GT(sd_bus_message_read(reply_, "i", &answer), 0);
        EXPECT_EQ(answer, 42);

        EXPECT_LT(call("Refuse", kPatientUs), 0);
        EXPECT_EQ(reply_, nullptr);
        EXPECT_STREQ(error_.name, "org.corvane.Test.Refused");
        EXPECT_STREQ(error_.message, "not today");
    }
}

TEST_F(BlockingCall, SilenceUntilTheDeadlineIsATimeoutAndTheConnectionStaysUsable)
{
    EXPECT_EQ(call("KeepSilent", 20'000), -ETIMEDOUT);
    EXPECT_STREQ(error_.name, SD_BUS_ERROR_TIMEOUT);
    ASSERT_GE(call("Answer", kPatientUs), 0);
}

TEST_F(BlockingCall, APeerThatHangsUpUnderTheCallIsTheConnectionLost)
{
    EXPECT_EQ(call("HangUp", kPatientUs), -ECONNRESET);
    EXPECT_EQ(reply_, nullptr);
    EXPECT_STREQ(error_.name, SD_BUS_ERROR_DISCONNECTED);
    EXPECT_EQ(call("Answer", kPatientUs) < 0, true) << "a closed connection carries no more calls";
}

}  // namespace
