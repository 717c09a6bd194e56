// Runs the built ctrpack program and checks its files, its output and its
// failures: one stderr line, a non-zero exit and no output file.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "container/ContainerKey.h"
#include "container/KRVAAppendix.h"
#include "container/u_Encrypt.h"
#include "tests/container/ContainerBytes.h"
#include "tests/runtime/TempFolder.h"

namespace {
using Bytes = std::vector<uint8_t>;

struct RunResult {
    int exitCode = -1;
    std::string out;
    std::string err;
};

std::string Quote(const std::string& word) {
    std::string quoted = "'";
    for (char c : word)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

std::string AsText(const Bytes& bytes) {
    return std::string(bytes.begin(), bytes.end());
}

class Ctrpack : public ::testing::Test {
protected:
    RunResult Run(const std::vector<std::string>& args) {
        std::string command = Quote(CTRPACK_EXE);
        for (const std::string& arg : args)
            command += " " + Quote(arg);
        const std::string out = logs.File("out.txt");
        const std::string err = logs.File("err.txt");
        command += " >" + Quote(out) + " 2>" + Quote(err);
        RunResult result;
        const int status = std::system(command.c_str());
        result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        result.out = AsText(ReadWholeFile(out));
        result.err = AsText(ReadWholeFile(err));
        return result;
    }

    // A failure: non-zero exit, one stderr line that names the file.
    void ExpectFailure(const std::vector<std::string>& args, const std::string& named) {
        const RunResult result = Run(args);
        EXPECT_NE(result.exitCode, 0);
        EXPECT_EQ(result.out, "");
        ASSERT_FALSE(result.err.empty());
        EXPECT_EQ(result.err.find('\n'), result.err.size() - 1) << result.err;
        EXPECT_NE(result.err.find(named), std::string::npos) << result.err;
    }

    // Names in the work folder, to check nothing half-written was left.
    std::vector<std::string> Listing() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(work.Path()))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    // Entries of a container as the launcher reads them: extracted, then
    // descrambled when asked.
    static std::vector<Bytes> ReadBack(const std::string& path, bool descramble) {
        TKRVAAppendix reader(nullptr);
        reader.ContainerName = path;
        reader.ReadAmount();
        std::vector<Bytes> entries;
        for (int n = 1; n <= reader.Amount; ++n) {
            reader.FileNo = static_cast<uint8_t>(n);
            auto stream = reader.ExtractFileStream();
            if (descramble)
                ScrambleStream(stream.get(), kDescrambleDirection, kContainerSeed, false);
            entries.emplace_back(stream->Memory(), stream->Memory() + stream->Size());
        }
        return entries;
    }

    void SetUp() override {
        config = work.Write("config.txt", std::string("1.0\r\nHello\r\n"));
        picture = work.Write("picture.bmp", Bytes(3000, 0x5A));
        empty = work.Write("empty.bin", Bytes{});
    }

    TempFolder work;
    TempFolder logs;
    std::string config, picture, empty;
};
} // namespace

TEST_F(Ctrpack, PackedEntriesReadBackScrambledAsTheLauncherExpects) {
    const std::string out = work.File("L-Ctnr.ctr");
    ASSERT_EQ(Run({"pack", out, config, picture, empty}).exitCode, 0);
    const std::vector<Bytes> entries = ReadBack(out, true);
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0], ReadWholeFile(config));
    EXPECT_EQ(entries[1], ReadWholeFile(picture));
    EXPECT_TRUE(entries[2].empty());
    EXPECT_NE(ReadBack(out, false)[0], ReadWholeFile(config)); // really stored scrambled

    const Bytes container = ReadWholeFile(out);
    const std::size_t dataBytes = ReadWholeFile(config).size() + 3000;
    ASSERT_EQ(container.size(), dataBytes + 4 + 12 + 2);
    EXPECT_EQ(Bytes(container.begin() + dataBytes, container.begin() + dataBytes + 4),
              (Bytes{0, 0, 0, 0})); // start field: the first entry's position
}

TEST_F(Ctrpack, PlainPackStoresTheFilesAsTheyAre) {
    const std::string out = work.File("plain.ctr");
    ASSERT_EQ(Run({"pack", out, config, "--plain"}).exitCode, 0);
    EXPECT_EQ(ReadBack(out, false), (std::vector<Bytes>{ReadWholeFile(config)}));
}

TEST_F(Ctrpack, ListShowsCountBoundsAndSizes) {
    const std::string out = work.File("c.ctr");
    ASSERT_EQ(Run({"pack", out, config, picture, empty}).exitCode, 0);
    const RunResult result = Run({"list", out});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(result.out, "entries 3\n"
                          "1 first 0 last 11 size 12\n"
                          "2 first 12 last 3011 size 3000\n"
                          "3 first 3012 last 3011 size 0\n");
}

TEST_F(Ctrpack, ListWithOffsetReadsAContainerFollowedByOtherData) {
    ContainerBytes bytes = ContainerBytes::Of({"abc", "de"});
    bytes.Raw("TRAILER");
    const std::string path = work.Write("trailed.bin", bytes.Bytes());
    const RunResult result = Run({"list", path, "--offset", "7"});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.out, "entries 2\n1 first 0 last 2 size 3\n2 first 3 last 4 size 2\n");
}

TEST_F(Ctrpack, ExtractAndUnpackGiveTheOriginalFiles) {
    const std::string out = work.File("c.ctr");
    ASSERT_EQ(Run({"pack", out, config, picture, empty}).exitCode, 0);
    const std::string one = work.File("one.txt");
    ASSERT_EQ(Run({"extract", out, "1", one}).exitCode, 0);
    EXPECT_EQ(ReadWholeFile(one), ReadWholeFile(config));
    const std::string raw = work.File("raw.bin");
    ASSERT_EQ(Run({"extract", out, "2", raw, "--plain"}).exitCode, 0);
    EXPECT_EQ(ReadWholeFile(raw), ReadBack(out, false)[1]);

    const std::string folder = work.File("unpacked");
    ASSERT_EQ(Run({"unpack", out, folder}).exitCode, 0);
    EXPECT_EQ(ReadWholeFile(folder + "/1"), ReadWholeFile(config));
    EXPECT_EQ(ReadWholeFile(folder + "/2"), ReadWholeFile(picture));
    EXPECT_TRUE(std::filesystem::exists(folder + "/3"));
    EXPECT_EQ(std::filesystem::file_size(folder + "/3"), 0u);
    EXPECT_FALSE(std::filesystem::exists(folder + "/4"));
}

TEST_F(Ctrpack, PackFailuresLeaveNoOutput) {
    const auto before = Listing();
    const std::string out = work.File("out.ctr");
    ExpectFailure({"pack", out, config, work.File("missing.bmp")}, "missing.bmp");
    ExpectFailure({"pack", work.File("no-such-folder/out.ctr"), config}, "no-such-folder");
    ExpectFailure({"pack", work.Path(), config}, work.Path()); // OUT is a folder
    std::vector<std::string> many{"pack", out};
    for (int i = 0; i < 256; ++i)
        many.push_back(config);
    ExpectFailure(many, out);
    EXPECT_EQ(Listing(), before);
}

TEST_F(Ctrpack, PackRefusesContainersReachingPosition2To31) {
    const std::string big = work.File("big.bin");
    std::filesystem::resize_file(work.Write("big.bin", Bytes{}), (uintmax_t{1} << 31) - 9);
    const auto before = Listing();
    ExpectFailure({"pack", work.File("out.ctr"), big}, "big.bin");
    EXPECT_EQ(Listing(), before);
}

TEST_F(Ctrpack, BadContainersGiveOneLineAndNoOutput) {
    const std::string out = work.File("c.ctr");
    ASSERT_EQ(Run({"pack", out, config, picture}).exitCode, 0);
    const Bytes whole = ReadWholeFile(out);
    const std::string truncated =
        work.Write("truncated.ctr", Bytes(whole.begin(), whole.end() - 5));
    const std::string count256 = work.Write("count256.ctr", ContainerBytes().U16(256).Bytes());
    const std::string past =
        work.Write("past.ctr", ContainerBytes().Raw("abc").U32(0).U32(0).U32(900).U16(2).Bytes());
    const auto before = Listing();
    const std::string target = work.File("entry.bin");
    const std::string folder = work.File("unpacked");

    ExpectFailure({"list", work.File("missing.ctr")}, "missing.ctr");
    ExpectFailure({"list", truncated}, "truncated.ctr");
    ExpectFailure({"extract", truncated, "1", target}, "truncated.ctr");
    ExpectFailure({"list", count256}, "count256.ctr");
    ExpectFailure({"extract", count256, "1", target}, "count256.ctr");
    ExpectFailure({"extract", past, "1", target}, "past.ctr");
    ExpectFailure({"unpack", past, folder}, "past.ctr");
    ExpectFailure({"list", out, "--offset", "99999"}, "c.ctr");
    EXPECT_EQ(Listing(), before);
}

TEST_F(Ctrpack, ExtractRefusesBadEntryNumbersAndTargets) {
    const std::string out = work.File("c.ctr");
    ASSERT_EQ(Run({"pack", out, config, picture}).exitCode, 0);
    const auto before = Listing();
    const std::string target = work.File("entry.bin");
    ExpectFailure({"extract", out, "3", target}, "c.ctr");
    ExpectFailure({"extract", out, "0", target}, "0");
    ExpectFailure({"extract", out, "256", target}, "256");
    ExpectFailure({"extract", out, "x1", target}, "x1");
    ExpectFailure({"extract", out, "1", work.File("none/entry.bin")}, "none");
    EXPECT_EQ(Listing(), before);
}

TEST_F(Ctrpack, FailedExtractKeepsAnExistingTarget) {
    const std::string out = work.File("c.ctr");
    ASSERT_EQ(Run({"pack", out, config}).exitCode, 0);
    const std::string target = work.Write("keep.bin", std::string("old"));
    ExpectFailure({"extract", out, "2", target}, "c.ctr");
    EXPECT_EQ(AsText(ReadWholeFile(target)), "old");
    ASSERT_EQ(Run({"extract", out, "1", target}).exitCode, 0);
    EXPECT_EQ(ReadWholeFile(target), ReadWholeFile(config));
}

TEST_F(Ctrpack, UsageErrors) {
    EXPECT_EQ(Run({}).exitCode, 2);
    const RunResult unknown = Run({"frobnicate"});
    EXPECT_EQ(unknown.exitCode, 2);
    EXPECT_NE(unknown.err.find("frobnicate"), std::string::npos);
    ExpectFailure({"list", "--bogus"}, "--bogus");
    ExpectFailure({"pack", work.File("x.ctr")}, "FILE");
}

TEST_F(Ctrpack, DecompiledPackedContainersBuildAgainEntryForEntry) {
    // Entry 4 (the button picture) is no picture: a build checks nothing then
    // and takes it as it is.
    const std::string out = work.File("c.ctr");
    ASSERT_EQ(Run({"pack", out, config, picture, empty, picture}).exitCode, 0);
    const std::string folder = work.File("menu");
    ASSERT_EQ(Run({"decompile", out, folder}).exitCode, 0);
    const std::string again = work.File("again.ctr");
    const RunResult build = Run({"build", folder, again, "--no-check"});
    ASSERT_EQ(build.exitCode, 0) << build.err;
    EXPECT_NE(build.err.find("warning: [Pictures] Button: "), std::string::npos) << build.err;
    EXPECT_NE(build.err.find("; taken as it is"), std::string::npos) << build.err;
    EXPECT_EQ(ReadBack(again, true), ReadBack(out, true));

    const RunResult checked = Run({"build", folder, work.File("refused.ctr")});
    EXPECT_EQ(checked.exitCode, 1);
    EXPECT_NE(checked.err.find("/button.bmp: not a picture that can be read"), std::string::npos)
        << checked.err;
    EXPECT_FALSE(std::filesystem::exists(work.File("refused.ctr")));
}

TEST_F(Ctrpack, DecompileOfABadContainerGivesOneLineAndNoFolder) {
    const std::string out = work.File("c.ctr");
    ASSERT_EQ(Run({"pack", out, config, picture}).exitCode, 0);
    const Bytes whole = ReadWholeFile(out);
    const std::string truncated =
        work.Write("truncated.ctr", Bytes(whole.begin(), whole.end() - 5));
    const std::string lines = work.File("lines.ctr");
    const std::string nul = work.Write("nul.txt", std::string("4\r\n\0\r\n", 5));
    ASSERT_EQ(Run({"pack", lines, nul}).exitCode, 0);
    const auto before = Listing();
    ExpectFailure({"decompile", truncated, work.File("a")}, "truncated.ctr");
    ExpectFailure({"decompile", work.File("missing.ctr"), work.File("a")}, "missing.ctr");
    ExpectFailure({"decompile", lines, work.File("a")},
                  "lines.ctr entry 1: line 1 holds a NUL byte");
    ExpectFailure({"decompile", out}, "CONTAINER and DIR");
    EXPECT_EQ(Listing(), before);
}
