#include <QCoreApplication>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/lsan_interface.h>
#endif

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    // Qt D-Bus's own teardown at exit can deadlock its connection thread just
    // after a peer connection closed (seen about once in a thousand runs on a
    // loaded machine, the test long passed), so these processes end as the
    // server does, by quick_exit, which runs none of it.
    std::fflush(nullptr);
#if defined(__SANITIZE_ADDRESS__)
    __lsan_do_leak_check();
#endif
    std::quick_exit(result);
}
