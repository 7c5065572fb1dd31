// Files compressed by the tools themselves (gzip, xz, zstd): every mode of
// the command line reads them as the plain files; broken data is told by its
// reason.

#include "Process.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace {

struct Tool {
    const char* program;
    const char* suffix;
};

const Tool kTools[] = {{QUIB_GZIP, ".gz"}, {QUIB_XZ, ".xz"}, {QUIB_ZSTD, ".zst"}};

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
    for (std::size_t at = text.find(from); at != std::string::npos;
         at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

class CompressedFiles : public ::testing::Test {
  protected:
    // Every process gets a configuration and runtime folder of its own.
    ProcessResult Run(const std::string& program, const std::vector<std::string>& args) {
        return RunProcess(program, args,
                          {"XDG_CONFIG_HOME=" + m_dir.Path(), "XDG_RUNTIME_DIR=" + m_dir.Path()});
    }

    // The file compressed by the tool, beside it in the test's folder.
    std::string Compressed(const Tool& tool, const std::string& name, const std::string& bytes) {
        const std::string plain = m_dir.Write(name, bytes);
        const ProcessResult r = Run(tool.program, {"-c", plain});
        EXPECT_EQ(r.status, 0) << r.err;
        return m_dir.Write(name + tool.suffix, r.out);
    }

    // Runs quib with `args` and FILE last, on the plain and the compressed
    // file: the same status and output, the path aside.
    void ExpectSameRun(const std::vector<std::string>& args, const std::string& plain,
                       const std::string& compressed) {
        std::vector<std::string> plainArgs = args, compressedArgs = args;
        plainArgs.push_back(plain);
        compressedArgs.push_back(compressed);
        const ProcessResult expected = Run(QUIB_EXECUTABLE, plainArgs);
        const ProcessResult got = Run(QUIB_EXECUTABLE, compressedArgs);
        EXPECT_EQ(got.status, expected.status) << got.err;
        EXPECT_EQ(got.out, Replaced(expected.out, plain, compressed));
        EXPECT_EQ(got.err, Replaced(expected.err, plain, compressed));
    }

    TempDir m_dir;
};

TEST_F(CompressedFiles, ExamplesReadAsThePlainFiles) {
    for (const char* example : {"run-a.dat", "run-b.dat", "run-a-repeat.dat"}) {
        const std::string plain = QUIB_EXAMPLES "/" + std::string(example);
        const std::string bytes = ReadWholeFile(plain);
        for (const Tool& tool : kTools) {
            SCOPED_TRACE(std::string(example) + tool.suffix);
            const std::string compressed = Compressed(tool, example, bytes);
            ExpectSameRun({"--info"}, plain, compressed);
            ExpectSameRun({"--summary", "--highlight"}, plain, compressed);
            ExpectSameRun({"--check"}, plain, compressed);
        }
    }
    // Imports compressed too: the pairs are the plain files' pairs.
    const std::string runA = QUIB_EXAMPLES "/run-a.dat";
    const std::string runB = QUIB_EXAMPLES "/run-b.dat";
    const ProcessResult plain =
        Run(QUIB_EXECUTABLE, {"--summary", "--differences", "--import", runB, runA});
    const ProcessResult compressed =
        Run(QUIB_EXECUTABLE,
            {"--summary", "--differences", "--import",
             Compressed(kTools[1], "b.dat", ReadWholeFile(runB)), m_dir.Path() + "/run-a.dat.zst"});
    EXPECT_EQ(compressed.status, 0) << compressed.err;
    EXPECT_EQ(compressed.out, plain.out);
}

// A file with findings on many lines: --check tells them with the text's
// line numbers, the wrong dimension on standard error as for the plain file.
TEST_F(CompressedFiles, CheckAndWarningsTellTheTextsLines) {
    std::string bytes = ReadWholeFile(QUIB_EXAMPLES "/run-a.dat");
    bytes.insert(bytes.find("(40)"), "DIM=30\r\nRun 2 of 5\n(7) 1 2x 3\n");
    for (const Tool& tool : kTools) {
        SCOPED_TRACE(tool.suffix);
        const std::string plain = m_dir.Write("messy.dat", bytes);
        const std::string compressed = Compressed(tool, "messy.dat", bytes);
        ExpectSameRun({"--check"}, plain, compressed);
        ExpectSameRun({"--info"}, plain, compressed);
    }
}

// Missing, corrupt or cut short, as FILE or as an import: status 1, nothing
// on standard output and no picture written, the reason; a warning told
// before it stands. Every mode that takes an import reads it alike. A
// thumbnail (--size) reads FILE only as far as its record, but compressed
// data to its end: broken after that record, it is no picture either.
TEST_F(CompressedFiles, BrokenDataIsToldByItsReason) {
    const std::string bytes = ReadWholeFile(QUIB_EXAMPLES "/run-a.dat");
    const std::string run = m_dir.Write("warns.dat", "DIM=30\n(1) 1\n");
    const std::string warning =
        "quib: " + run + ": This file has the wrong dimension. Should be 26 or 32\n";
    const std::string picture = m_dir.Path() + "/out.png", pages = m_dir.Path() + "/out.pdf";
    const std::vector<std::vector<std::string>> importing = {
        {"--find", "differs"},
        {"--summary"},
        {"--summary", "--format", "csv"},
        {"--unpaired"},
        {"--export", picture},
        {"--export", pages, "--records", "all"},
        {"--overview", picture, "--mode", "difference"}};
    const auto check = [&](const std::string& path, const std::string& reason, std::size_t modes) {
        const std::string told = "quib: cannot open '" + path + "': " + reason + "\n";
        const std::vector<std::vector<std::string>> alone = {
            {"--info"}, {"--check"}, {"--summary"}, {"--export", picture, "--size", "64"}};
        for (std::vector<std::string> args : alone) {
            args.push_back(path);
            const ProcessResult r = Run(QUIB_EXECUTABLE, args);
            EXPECT_EQ(r.status, 1) << args[0];
            EXPECT_EQ(r.out, "") << args[0];
            EXPECT_EQ(r.err, told) << args[0];
        }
        EXPECT_FALSE(std::filesystem::exists(picture));
        for (std::size_t k = 0; k < modes; ++k) {
            std::vector<std::string> args = importing[k];
            args.insert(args.end(), {"--import", run, "--import", path, run});
            const ProcessResult r = Run(QUIB_EXECUTABLE, args);
            EXPECT_EQ(r.status, 1) << args[0];
            EXPECT_EQ(r.out, "") << args[0];
            EXPECT_EQ(r.err, warning + warning + told) << args[0];
            EXPECT_FALSE(std::filesystem::exists(picture) || std::filesystem::exists(pages))
                << args[0];
        }
    };
    check(m_dir.Path() + "/missing.dat", "No such file or directory", importing.size());
    for (const Tool& tool : kTools) {
        SCOPED_TRACE(tool.suffix);
        const std::string data = ReadWholeFile(Compressed(tool, "run.dat", bytes));
        std::string corrupt = data;
        corrupt[corrupt.size() / 2] = static_cast<char>(corrupt[corrupt.size() / 2] ^ 0x10);
        check(m_dir.Write("corrupt.dat", corrupt), "the compressed data is corrupt", 1);
        check(m_dir.Write("short.dat", data.substr(0, data.size() / 2)),
              "the compressed data is cut short", 1);
    }
}

} // namespace
