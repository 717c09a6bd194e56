#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "framework/runtime/Exceptions.h"
#include "framework/runtime/Streams.h"
#include "tests/runtime/TempFolder.h"

TEST(FileStream, MissingFileRaisesOpenErrorNamingTheFile) {
    TempFolder folder;
    const std::string path = folder.File("absent.bin");
    try {
        TFileStream stream(path, fm::fmShareDenyNone);
        FAIL() << "opened a missing file";
    } catch (const EFOpenError& error) {
        EXPECT_NE(error.Message().find(path), std::string::npos);
    }
    EXPECT_FALSE(FileExists(path));
}

TEST(FileStream, FolderIsNoFile) {
    TempFolder folder;
    EXPECT_FALSE(FileExists(folder.Path()));
    EXPECT_THROW(TFileStream(folder.Path(), fm::fmShareDenyNone), EFOpenError);
}

TEST(FileStream, CreateWriteAndReadBack) {
    TempFolder folder;
    const std::string path = folder.File("data.bin");
    {
        TFileStream out(path, fm::fmCreate);
        out.WriteBuffer("0123456789", 10);
        EXPECT_EQ(out.Size(), 10);
    }
    EXPECT_TRUE(FileExists(path));
    EXPECT_TRUE(FileReleased(path));
    TFileStream in(path, fm::fmShareDenyNone);
    EXPECT_EQ(in.Size(), 10);
    EXPECT_EQ(in.Seek(-3, TSeekOrigin::soEnd), 7);
    char buffer[16] = {};
    EXPECT_EQ(in.Read(buffer, 4), 3);
    EXPECT_EQ(std::string(buffer, 3), "789");
    in.SetPosition(2);
    EXPECT_THROW(in.ReadBuffer(buffer, 9), EReadError);
}

TEST(FileStream, AnOpenStreamHoldsItsFileUntilDestroyed) {
    // Also proves that FileReleased, used by the reader's tests, can fail.
    TempFolder folder;
    const std::string path = folder.Write("held.bin", std::string("abc"));
    {
        TFileStream stream(path, fm::fmShareDenyNone);
        EXPECT_FALSE(FileReleased(path));
    }
    EXPECT_TRUE(FileReleased(path));
}

TEST(FileStream, CreateTruncatesAnExistingFile) {
    TempFolder folder;
    const std::string path = folder.Write("old.bin", std::string("long old contents"));
    { TFileStream out(path, fm::fmCreate); }
    EXPECT_EQ(ReadWholeFile(path).size(), 0u);
}

TEST(FileStream, ReadOnlyOpenRefusesWrites) {
    TempFolder folder;
    const std::string path = folder.Write("ro.bin", std::string("abc"));
    {
        TFileStream stream(path, fm::fmShareDenyNone);
        EXPECT_THROW(stream.WriteBuffer("x", 1), EWriteError);
    }
    EXPECT_EQ(ReadWholeFile(path), (std::vector<uint8_t>{'a', 'b', 'c'}));
}

TEST(FileStream, ShareDenyNoneLetsOthersWriteMeanwhile) {
    TempFolder folder;
    const std::string path = folder.Write("shared.bin", std::string("abc"));
    TFileStream reader(path, fm::fmShareDenyNone);
    TFileStream writer(path, fm::fmOpenReadWrite | fm::fmShareDenyNone);
    writer.WriteBuffer("XY", 2);
    char buffer[3];
    reader.ReadBuffer(buffer, 3);
    EXPECT_EQ(std::string(buffer, 3), "XYc");
}

#ifdef _WIN32
TEST(FileStream, ShareDenyWriteKeepsWritersOut) {
    TempFolder folder;
    const std::string path = folder.Write("locked.bin", std::string("abc"));
    TFileStream reader(path, fm::fmOpenRead | fm::fmShareDenyWrite);
    EXPECT_THROW(TFileStream(path, fm::fmOpenReadWrite | fm::fmShareDenyNone), EFOpenError);
}
#endif

TEST(FileStream, SizesBeyondFourGibibytesAreRepresented) {
    TempFolder folder;
    const std::string path = folder.File("sparse.bin");
    const int64_t size = (int64_t{1} << 32) + 5;
    {
        TFileStream out(path, fm::fmCreate);
        out.SetSize(size); // sparse: no data written
        EXPECT_EQ(out.Size(), size);
    }
    TFileStream in(path, fm::fmShareDenyNone);
    EXPECT_EQ(in.Size(), size);
    EXPECT_EQ(in.Seek(-1, TSeekOrigin::soEnd), size - 1);
}

TEST(FileStream, MemoryStreamSavesAndLoadsFiles) {
    TempFolder folder;
    const std::string path = folder.File("saved.bin");
    TMemoryStream stream;
    stream.WriteBuffer("\x00\xFF\r\n", 4);
    stream.SaveToFile(path);
    TMemoryStream loaded;
    loaded.LoadFromFile(path);
    ASSERT_EQ(loaded.Size(), 4);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(loaded.Memory()), 4),
              std::string("\x00\xFF\r\n", 4));
    EXPECT_TRUE(FileReleased(path));
    EXPECT_THROW(loaded.LoadFromFile(folder.File("none")), EFOpenError);
}
