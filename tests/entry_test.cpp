// The shared library's one exported entry, loaded and called by name as the
// front end does.
#include <gtest/gtest.h>

#include <dlfcn.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <memory>

#include "support/test_support.h"

namespace tovek {
namespace {

TEST(Entry, LibraryExportsItovekAndRunsTheExampleInTheWorkingFolder) {
    void* library = dlopen(TOVEK_SHARED_LIBRARY, RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(library, nullptr) << dlerror();
    using Entry = int32_t (*)(int32_t, int32_t);
    auto entry = reinterpret_cast<Entry>(dlsym(library, "ITOVEK"));
    ASSERT_NE(entry, nullptr);
    // Internal functions stay hidden.
    EXPECT_EQ(dlsym(library, "_ZN5tovek11runAnalysisERKNS_14RunEnvironmentE"), nullptr);

    test::ScratchFolder folder;
    folder.copyFrom(test::examplesFolder() / "pipe-pile");
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(folder.path());
    const int32_t status = entry(0, 0);
    std::filesystem::current_path(previous);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(folder.read("pipe24.out")
                  .rfind("     =========================================================================\n", 0),
              0u);
    dlclose(library);
}

}  // namespace
}  // namespace tovek
