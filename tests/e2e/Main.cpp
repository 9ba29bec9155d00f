// Entry of QuorvaneE2E.exe: runs the cases against a dist folder.
#include <gtest/gtest.h>

#include <cstdio>

#include "QuorvaneFiles.h"
#include "QuorvaneProcess.h"

namespace {

// Moves a C:\Quorvane that was there before the run out of the cases' way and back afterwards.
class KeepExistingFolder : public testing::Environment {
public:
    void SetUp() override { KeepUsersQuorvaneFolder(); }
    void TearDown() override { RestoreUsersQuorvaneFolder(); }
};

}  // namespace

// QuorvaneE2E.exe <dist folder> [gtest options]: the cases, against the Quorvane.EXE staged there.
int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: QuorvaneE2E.exe <dist folder> [gtest options]\n");
        return 2;
    }
    SetDistFolder(argv[1]);
    testing::AddGlobalTestEnvironment(new KeepExistingFolder);
    return RUN_ALL_TESTS();
}
