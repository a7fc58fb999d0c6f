// Streams: positions, sizes, whole-buffer reads and writes, copying, files and string lists on streams.
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <memory>

#include <gtest/gtest.h>

#include "vcl/Classes.h"

namespace {

std::string TempPath(const std::string& leaf) {
    return (std::filesystem::temp_directory_path() / ("halcyra_" + std::to_string(getpid()) + "_" + leaf)).string();
}

TEST(Stream, MemoryAndStringStreamsSeekReadAndWriteAlike) {
    std::unique_ptr<TStream> streams[] = {std::make_unique<TMemoryStream>(), std::make_unique<TStringStream>()};
    for (auto& s : streams) {
        SCOPED_TRACE(s->ClassName());
        s->WriteBuffer("abcdef", 6);
        EXPECT_EQ(s->Position(), 6);
        EXPECT_EQ(s->Size(), 6);
        EXPECT_EQ(s->Seek(-2, soFromEnd), 4);
        EXPECT_EQ(s->Seek(-1, soFromCurrent), 3);
        s->WriteBuffer("XYZW", 4);  // overwrites and grows
        EXPECT_EQ(s->Size(), 7);
        s->SetPosition(10);  // past the end: reads nothing, writing fills the gap with zeros
        char buf[8] = {};
        EXPECT_EQ(s->Read(buf, 8), 0);
        s->SetPosition(0);
        EXPECT_EQ(s->Read(buf, 8), 7);
        EXPECT_EQ(std::string(buf, 7), "abcXYZW");
        EXPECT_THROW(s->Seek(-1, soFromBeginning), EStreamError);
        s->SetPosition(5);
        try {
            s->ReadBuffer(buf, 3);
            ADD_FAILURE();
        } catch (const EReadError& e) {
            EXPECT_EQ(e.Message(), "Stream read error");
        }
        s->SetSize(2);
        EXPECT_EQ(s->Position(), 2);
        EXPECT_EQ(s->Size(), 2);
    }
}

TEST(Stream, CopyFromCopiesACountOrTheWholeSource) {
    TStringStream source("0123456789");
    TMemoryStream target;
    source.SetPosition(2);
    EXPECT_EQ(target.CopyFrom(&source, 3), 3);
    EXPECT_EQ(target.CopyFrom(&source, 0), 10);  // 0: everything, from the start
    EXPECT_EQ(std::string(static_cast<char*>(target.Memory()), 13), "2340123456789");
    source.SetPosition(8);
    EXPECT_THROW(target.CopyFrom(&source, 5), EReadError);
}

TEST(Stream, FileStreamsCreateOpenAndReportFailures) {
    std::string path = TempPath("stream.bin");
    {
        TFileStream file(path, fmCreate);
        file.WriteBuffer("hello", 5);
    }
    {
        TFileStream file(path, fmOpenReadWrite | fmShareDenyNone);
        EXPECT_EQ(file.Size(), 5);
        file.Seek(0, soFromEnd);
        file.WriteBuffer("!", 1);
    }
    TMemoryStream memory;
    memory.LoadFromFile(path);
    EXPECT_EQ(std::string(static_cast<char*>(memory.Memory()), 6), "hello!");
    {
        TFileStream file(path, fmOpenRead);
        EXPECT_THROW(file.WriteBuffer("x", 1), EWriteError);
    }
    std::filesystem::remove(path);

    struct Case {
        std::string name;
        Word mode;
        std::string message;
    };
    const std::string missing = TempPath("no/such/folder/x.txt");
    const std::string folder = std::filesystem::temp_directory_path().string();
    const Case cases[] = {
        {missing, fmOpenRead, "Cannot open file \"" + missing + "\""},
        {missing, fmCreate, "Cannot create file \"" + missing + "\""},
        {folder, fmOpenRead, "Cannot open file \"" + folder + "\""},
    };
    for (const Case& c : cases) {
        try {
            TFileStream file(c.name, c.mode);
            ADD_FAILURE() << c.name;
        } catch (const EStreamError& e) {
            EXPECT_EQ(e.Message(), c.message);
            EXPECT_EQ(c.mode == fmCreate, dynamic_cast<const EFCreateError*>(&e) != nullptr);
        }
    }
}

TEST(Stream, FileNamesAreWindows1252) {
    std::string ansiName = TempPath("caf\xE9.txt");
    TStringList lines;
    lines.Add("x");
    lines.SaveToFile(ansiName);
    std::string utf8Name = TempPath("caf\xC3\xA9.txt");
    EXPECT_TRUE(std::filesystem::exists(utf8Name));
    TStringList back;
    back.LoadFromFile(ansiName);
    EXPECT_EQ(back.Text(), "x\r\n");
    std::filesystem::remove(utf8Name);
}

TEST(Stream, StringListsLoadFromThePositionAndSaveCrlfText) {
    TStringStream stream("skip|a\nb\r\nc");
    stream.SetPosition(5);
    TStringList list;
    list.LoadFromStream(&stream);
    EXPECT_EQ(list.Count(), 3);
    TStringStream out;
    list.SaveToStream(&out);
    EXPECT_EQ(out.DataString(), "a\r\nb\r\nc\r\n");
}

TEST(PointerList, KeepsOrderAndReportsBadIndices) {
    int a = 1, b = 2, c = 3;
    TList list;
    list.Add(&c);
    list.Add(&a);
    list.Insert(1, nullptr);
    list.Add(&b);
    list.Pack();
    list.Sort([](void* x, void* y) { return *static_cast<int*>(x) - *static_cast<int*>(y); });
    EXPECT_EQ(list.First(), &a);
    EXPECT_EQ(list.Last(), &c);
    list.Move(0, 2);
    EXPECT_EQ(list.IndexOf(&a), 2);
    list.Exchange(0, 2);
    EXPECT_EQ(list.Items(0), &a);
    EXPECT_EQ(list.Remove(&b), 2);
    EXPECT_EQ(list.Extract(&b), nullptr);
    EXPECT_EQ(list.Count(), 2);
    try {
        list.Items(2);
        ADD_FAILURE();
    } catch (const EListError& e) {
        EXPECT_EQ(e.Message(), "List index out of bounds (2)");
    }
    EXPECT_THROW(list.Insert(3, &a), EListError);
    EXPECT_THROW(list.Delete(-1), EListError);
}

}  // namespace
