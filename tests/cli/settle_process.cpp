#include "settle_process.h"

#include <filesystem>
#include <fstream>

#include "coprocess.h"

namespace quorvel::testing {

namespace {

std::filesystem::path scratchFolder() {
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    std::filesystem::path folder = std::filesystem::temp_directory_path() / "quorvel-cli-tests" /
                                   (std::string(test->test_suite_name()) + "." + test->name());
    std::filesystem::create_directories(folder);
    return folder;
}

}  // namespace

std::string scratchFile(std::string_view name, std::string_view content) {
    const std::filesystem::path path = scratchFolder() / name;
    std::ofstream(path, std::ios::binary) << content;
    return path.string();
}

SettleRun runSettle(const std::vector<std::string>& arguments, std::string_view input) {
    Coprocess settle(arguments);
    SettleRun run;
    EXPECT_TRUE(settle.started());
    settle.send(input);  // small enough for the pipe to hold before any answer is read
    settle.closeInput();
    run.out = settle.readAll();
    run.status = settle.wait();
    run.err = settle.errors();
    return run;
}

}  // namespace quorvel::testing
