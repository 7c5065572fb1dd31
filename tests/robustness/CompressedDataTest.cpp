// Compressed data that is not whole: the read fails, saying whether the data
// is corrupt or cut short, and the dataset stays exactly as it was.

#include "Compress.h"
#include "DataFileReader.h"
#include "FileCheck.h"
#include "ReadError.h"
#include "ReaderComparison.h"
#include "ReferenceReader.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

using quib::Compression;
using quib::ReadError;

constexpr int kRecordsBefore = 3;
constexpr int kDimensionBefore = 32;

// A small file with an end line, so that the checksums after it are only
// reached by reading on past where the reader stops.
std::string SmallText() {
    std::string text = "DIM=26\nCONV_SECTION\n";
    for (int k = 1; k <= 40; ++k)
        text += "(" + std::to_string(k) + ") " + std::to_string(k * 7) + " 3 -1 " +
                std::to_string(k * k) + "\n";
    return text + "END\n";
}

class CompressedData : public ::testing::Test {
  protected:
    // Reads a file of these bytes into a dataset holding earlier records.
    std::error_code Read(const std::string& bytes) {
        const std::string path = m_dir.Write("data", bytes);
        m_records.RemoveAll();
        FillExistingRecords(m_records, kRecordsBefore);
        m_dimension = kDimensionBefore;
        return quib::ReadLatticeFile(path, m_dimension, m_records, {});
    }

    // After a failed read: the earlier records and dimension, exactly.
    void ExpectUnchanged() {
        CLatticeRecordArray expected;
        FillExistingRecords(expected, kRecordsBefore);
        EXPECT_EQ(m_dimension, kDimensionBefore);
        ASSERT_EQ(m_records.GetSize(), kRecordsBefore);
        for (int i = 0; i < kRecordsBefore; ++i)
            EXPECT_EQ(std::memcmp(&m_records[i], &expected[i], sizeof(CLatticeRecord)), 0);
    }

    TempDir m_dir;
    CLatticeRecordArray m_records;
    int m_dimension = 0;
};

// A compressed file cut anywhere after its first bytes, inside the text or
// in the checksums after the end line, is cut short; --check reads it no
// further.
TEST_F(CompressedData, EveryCutFailsAsCutShort) {
    const std::string text = SmallText();
    for (const Compression format : kCompressions) {
        const std::string data = CompressText(text, format);
        for (std::size_t length = quib::kMagicBytes; length < data.size(); ++length) {
            SCOPED_TRACE(std::string(CompressedSuffix(format)) + " cut to " +
                         std::to_string(length) + " of " + std::to_string(data.size()));
            EXPECT_EQ(Read(data.substr(0, length)), ReadError::CompressedDataCutShort);
            ExpectUnchanged();
        }
        std::vector<quib::Finding> findings;
        EXPECT_EQ(
            quib::CheckDataFile(m_dir.Write("cut", data.substr(0, data.size() - 1)), findings),
            ReadError::CompressedDataCutShort);
        EXPECT_TRUE(findings.empty());
    }
}

// One bit flipped in each byte in turn: where the decompression at once
// finds the data whole, the read gives what that text gives; everywhere
// else it fails as corrupt data, changing nothing. Nearly every flip
// fails: the checksums are verified.
TEST_F(CompressedData, FlippedBitsFailAsTheWholeDecompressionDoes) {
    const std::string text = SmallText();
    for (const Compression format : kCompressions) {
        const std::string data = CompressText(text, format, 2);
        std::size_t failed = 0;
        for (std::size_t i = 0; i < data.size(); ++i) {
            std::string flipped = data;
            flipped[i] = static_cast<char>(flipped[i] ^ (1 << (i % 8)));
            SCOPED_TRACE(std::string(CompressedSuffix(format)) + " flipped at " +
                         std::to_string(i));
            const Compression told = quib::CompressionOf(
                reinterpret_cast<const unsigned char*>(flipped.data()), quib::kMagicBytes);
            std::string decompressed;
            const Decompressed whole =
                ReferenceDecompress(flipped, told, decompressed, std::size_t{1} << 20);
            if (whole == Decompressed::Whole) {
                EXPECT_EQ(CompareFileRead(m_dir.Write("flipped", flipped), decompressed, 0), "");
                continue;
            }
            if (whole == Decompressed::TooLarge) // an xz dictionary grown past the limit
                continue;
            const std::error_code error = Read(flipped);
            EXPECT_EQ(error.category(),
                      std::error_code(quib::ReadError::CompressedDataCorrupt).category())
                << error.message();
            ExpectUnchanged();
            ++failed;
        }
        EXPECT_GE(failed, data.size() * 9 / 10) << CompressedSuffix(format);
    }
}

struct Ending {
    const char* what;
    Compression format;
    std::string after;        // bytes after the compressed text
    std::error_code expected; // none: the file reads
};

// What may follow the last stream: as the tools take it.
TEST_F(CompressedData, WhatMayFollowTheLastStream) {
    const std::string text = SmallText();
    const std::string skippable("\x50\x2A\x4D\x18\x03\x00\x00\x00xyz", 11);
    const std::error_code reads;
    const Ending endings[] = {
        {"gzip, zero bytes", Compression::Gzip, std::string(5, '\0'), reads},
        {"gzip, garbage", Compression::Gzip, "garbage", ReadError::CompressedDataCorrupt},
        {"gzip, zeros then garbage", Compression::Gzip, std::string("\0\0x", 3),
         ReadError::CompressedDataCorrupt},
        {"gzip, a member's first bytes", Compression::Gzip, "\x1F\x8B",
         ReadError::CompressedDataCutShort},
        {"xz, stream padding", Compression::Xz, std::string(4, '\0'), reads},
        {"xz, padding not of four bytes", Compression::Xz, std::string(3, '\0'),
         ReadError::CompressedDataCorrupt},
        {"zstd, a skippable frame", Compression::Zstd, skippable, reads},
        {"zstd, garbage", Compression::Zstd, "garbage", ReadError::CompressedDataCorrupt},
    };
    for (const Ending& ending : endings) {
        SCOPED_TRACE(ending.what);
        const std::string data = CompressText(text, ending.format) + ending.after;
        std::string decompressed;
        EXPECT_EQ(ReferenceDecompress(data, ending.format, decompressed, std::size_t{1} << 20),
                  ending.expected ? Decompressed::Invalid : Decompressed::Whole);
        const std::error_code error = Read(data);
        EXPECT_EQ(error, ending.expected) << error.message();
        if (!error) {
            EXPECT_EQ(m_records.GetSize(), kRecordsBefore + 40);
            EXPECT_EQ(m_dimension, 26);
        } else {
            ExpectUnchanged();
        }
    }
    // A zstd stream may open with a skippable frame.
    EXPECT_FALSE(Read(skippable + CompressText(text, Compression::Zstd)));
    EXPECT_EQ(m_records.GetSize(), kRecordsBefore + 40);
}

// The probe that tells a bad file at start-up decompresses the first bytes.
TEST_F(CompressedData, ProbeTellsBadCompressedDataFromItsStart) {
    const std::string text = SmallText();
    for (const Compression format : kCompressions) {
        SCOPED_TRACE(CompressedSuffix(format));
        std::string data = CompressText(text, format);
        EXPECT_FALSE(quib::ProbeLatticeFile(m_dir.Write("good", data)));
        EXPECT_EQ(quib::ProbeLatticeFile(m_dir.Write("short", data.substr(0, 8))),
                  ReadError::CompressedDataCutShort);
        // A header field that must hold one value: gzip's method (8), xz's
        // first flag byte (0), zstd's reserved bit of the frame header.
        if (format == Compression::Zstd)
            data[4] ^= 0x08;
        else
            data[format == Compression::Gzip ? 2 : 6] ^= 0x40;
        EXPECT_EQ(quib::ProbeLatticeFile(m_dir.Write("bad", data)).category(),
                  std::error_code(quib::ReadError::CompressedDataCorrupt).category());
    }
}

TEST(CompressedDataMessages, TheReasonIsTheUsersText) {
    EXPECT_EQ(quib::CannotOpenMessage("run.dat.gz", ReadError::CompressedDataCorrupt),
              "cannot open 'run.dat.gz': the compressed data is corrupt");
    EXPECT_EQ(quib::CannotOpenMessage("run.dat.xz", ReadError::CompressedDataCutShort),
              "cannot open 'run.dat.xz': the compressed data is cut short");
    EXPECT_EQ(quib::CannotOpenMessage("run.dat",
                                      std::make_error_code(std::errc::no_such_file_or_directory)),
              "cannot open 'run.dat': No such file or directory");
}

} // namespace
