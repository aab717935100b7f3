#include <windows.h>
#include <objbase.h>

#include <gtest/gtest.h>

// The adapter runs on a single-threaded apartment, as in the server.
int main(int argc, char** argv)
{
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
