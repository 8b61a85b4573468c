#include "platform/ContentDigest.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>

TEST(ContentDigest, TheSameBytesInAnyPiecesGiveOneDigestAndAnyOtherBytesAnother) {
    QByteArray bytes(300000, Qt::Uninitialized);
    for (qsizetype i = 0; i < bytes.size(); ++i)
        bytes[i] = char(i * 7 + i / 251);
    const auto digestInPieces = [](const QByteArray& content, qsizetype piece) {
        platform::ContentDigest digest;
        for (qsizetype at = 0; at < content.size(); at += piece)
            digest.Add(QByteArrayView(content).sliced(at, std::min(piece, content.size() - at)));
        return digest.Result();
    };
    const quint64 whole = digestInPieces(bytes, bytes.size());
    for (const qsizetype piece : {1, 4095, 65536, 65537, 200000})
        EXPECT_EQ(digestInPieces(bytes, piece), whole) << piece;

    QByteArray changed = bytes;
    changed[150000] = char(changed[150000] + 1);
    EXPECT_NE(digestInPieces(changed, 4096), whole);
    EXPECT_NE(digestInPieces(bytes + QByteArray(1, '\0'), 4096), whole);
    EXPECT_NE(digestInPieces(bytes.left(65536), 4096), digestInPieces(bytes.left(65536) + QByteArray(1, '\0'), 4096));

    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QFile file(dir.filePath("doc.nuv"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(bytes), bytes.size());
    file.close();
    // A file is read up to the size its reader found, and one byte more: the digest is had only when it holds that.
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(platform::DigestOfFile(file.handle(), bytes.size()), whole);
    EXPECT_EQ(platform::DigestOfFile(file.handle(), bytes.size() - 1), std::nullopt);
    EXPECT_EQ(platform::DigestOfFile(file.handle(), bytes.size() + 1), std::nullopt);
    // A device without end is read no further either.
    QFile endless("/dev/zero");
    ASSERT_TRUE(endless.open(QIODevice::ReadOnly | QIODevice::Unbuffered));
    EXPECT_EQ(platform::DigestOfFile(endless.handle(), 1000), std::nullopt);
}
