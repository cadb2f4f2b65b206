#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "skin/skinpackage.h"
#include "skintestsupport.h"

namespace {

class SkinPackageTest : public ::testing::Test {
 protected:
  void SetUp() override { QDir().mkpath(home.temp()); }

  bool extract(const std::vector<std::pair<QString, QByteArray>>& entries) {
    WriteZip(package(), entries);
    return ExtractSkinPackage(package(), home.temp(), &files, &error);
  }
  QString package() const { return home.skins() + "blue.zskz"; }
  QStringList tempFiles() const {
    return QDir(home.temp()).entryList(QDir::Files | QDir::Hidden, QDir::Name);
  }

  SkinHome home;
  SkinFiles files;
  QString error;
};

TEST_F(SkinPackageTest, ExtractsEveryEntryFlatAndNamesPictureAndDescription) {
  ASSERT_TRUE(extract({{"readme.txt", "hello"},
                       {"skin/", {}},
                       {"skin/art/blue.BMP", "picture"},
                       {"skin/blue.zskn", "description"},
                       {"preview.png", "preview"}}))
      << error.toStdString();
  EXPECT_EQ(tempFiles(), QStringList({"blue.BMP", "blue.zskn", "preview.png", "readme.txt"}));
  EXPECT_EQ(files.picture, home.temp() + "blue.BMP");
  EXPECT_EQ(files.description, home.temp() + "blue.zskn");
  EXPECT_EQ(ReadBytes(files.picture), "picture");
}

TEST_F(SkinPackageTest, TheLastPictureAndDescriptionWin) {
  ASSERT_TRUE(extract(
      {{"a.bmp", "first"}, {"x.zskn", "first"}, {"b.bmp", "second"}, {"sub/x.zskn", "second"}}));
  EXPECT_EQ(files.picture, home.temp() + "b.bmp");
  EXPECT_EQ(ReadBytes(files.description), "second");
}

TEST_F(SkinPackageTest, MissingFilesGiveEmptyNames) {
  ASSERT_TRUE(extract({{"skin.zskn", "d"}, {"skin.bmp.txt", "not a picture"}}));
  EXPECT_TRUE(files.picture.isEmpty());
  EXPECT_EQ(files.description, home.temp() + "skin.zskn");
}

TEST_F(SkinPackageTest, NamesThatClimbOutLandInsideTheTempFolder) {
  // Every name points into the scratch folder around the program folder, which is searched
  // whole afterwards: an escape is seen without ever touching a real system folder.
  const QString absolute = home.outer() + "abs/absolute.txt";
  ASSERT_TRUE(extract({{"../evil.bmp", "a"},
                       {"../../../../../../climbed.zskn", "b"},
                       {absolute, "c"},
                       {"..\\..\\windows.txt", "d"}}))
      << error.toStdString();
  EXPECT_EQ(tempFiles(), QStringList({"absolute.txt", "climbed.zskn", "evil.bmp", "windows.txt"}));
  EXPECT_EQ(home.filesOutsideTemp(), QStringList({"data/skins/blue.zskz"}));
}

TEST_F(SkinPackageTest, ALinkInTheTempFolderIsReplacedNotFollowed) {
  const QString victim = home.root() + "victim.txt";
  WriteBytes(victim, "keep me");
  ASSERT_TRUE(QFile::link(victim, home.temp() + "skin.zskn"));
  ASSERT_TRUE(extract({{"skin.zskn", "new"}}));
  EXPECT_EQ(ReadBytes(victim), "keep me");
  EXPECT_FALSE(QFileInfo(home.temp() + "skin.zskn").isSymLink());
  EXPECT_EQ(ReadBytes(home.temp() + "skin.zskn"), "new");
}

TEST_F(SkinPackageTest, ALaterPackageReplacesLongerFilesWhole) {
  ASSERT_TRUE(extract({{"skin.zskn", QByteArray(3000, 'a')}, {"skin.bmp", "old"}}));
  ASSERT_TRUE(extract({{"skin.zskn", "short"}, {"skin.bmp", QByteArray(2000, 'b')}}));
  EXPECT_EQ(ReadBytes(home.temp() + "skin.zskn"), "short");
  EXPECT_EQ(ReadBytes(home.temp() + "skin.bmp"), QByteArray(2000, 'b'));
  EXPECT_EQ(*files.descriptionBytes, "short");
}

TEST_F(SkinPackageTest, OversizedEntriesAreRefusedBeforeAnythingIsWritten) {
  const QByteArray big(SkinPackageLimits().maxEntrySize + 1, '\0');
  EXPECT_FALSE(extract({{"small.zskn", "d"}, {"big.bmp", big}}));
  EXPECT_FALSE(error.isEmpty());
  EXPECT_TRUE(tempFiles().isEmpty());
  EXPECT_EQ(home.filesOutsideTemp(), QStringList({"data/skins/blue.zskz"}));
}

TEST_F(SkinPackageTest, PackagesThatInflateTooFarAreRefused) {
  const qint64 total = SkinPackageLimits().maxTotalSize;
  const QByteArray chunk(SkinPackageLimits().maxEntrySize, '\0');
  std::vector<std::pair<QString, QByteArray>> entries;
  for (qint64 size = 0; size <= total; size += chunk.size()) {
    entries.push_back({QStringLiteral("part%1.bmp").arg(entries.size()), chunk});
  }
  EXPECT_FALSE(extract(entries));
  EXPECT_TRUE(tempFiles().isEmpty());
}

TEST_F(SkinPackageTest, BrokenArchivesAreRefused) {
  WriteBytes(package(), "PK\x03\x04 this is not really a zip archive");
  EXPECT_FALSE(ExtractSkinPackage(package(), home.temp(), &files, &error));
  WriteZip(package(), {{"skin.zskn", QByteArray(5000, 'x')}, {"skin.bmp", "p"}});
  QByteArray bytes = ReadBytes(package());
  WriteBytes(package(), bytes.left(bytes.size() / 2));  // central directory gone
  EXPECT_FALSE(ExtractSkinPackage(package(), home.temp(), &files, &error));
  EXPECT_FALSE(ExtractSkinPackage(home.skins() + "missing.zskz", home.temp(), &files, &error));
  EXPECT_TRUE(tempFiles().isEmpty());
}

TEST_F(SkinPackageTest, AnEntryWhoseDataDisagreesWithItsListingIsRefused) {
  WriteZip(package(), {{"skin.zskn", QByteArray(4000, 'a')}});
  QByteArray bytes = ReadBytes(package());
  // Damage everything between the local header's name and the central directory.
  const qsizetype from = bytes.indexOf("skin.zskn") + 9;
  const qsizetype to = bytes.indexOf("PK\x01\x02");
  ASSERT_LT(from, to);
  for (qsizetype i = from; i < to; ++i) {
    bytes[i] = char(bytes[i] ^ 0x5a);
  }
  WriteBytes(package(), bytes);
  EXPECT_FALSE(ExtractSkinPackage(package(), home.temp(), &files, &error));
  EXPECT_TRUE(tempFiles().isEmpty());
}

TEST_F(SkinPackageTest, AnEntryWhoseChecksumDisagreesIsRefused) {
  WriteZip(package(), {{"skin.bmp", QByteArray(4000, 'a')}});
  QByteArray bytes = ReadBytes(package());
  // The same wrong checksum in the local header and the central directory, so that only the
  // data betrays it.
  const qsizetype local = bytes.indexOf("PK\x03\x04");
  const qsizetype central = bytes.indexOf("PK\x01\x02");
  ASSERT_TRUE(local >= 0 && central > local);
  bytes[local + 14] = char(bytes[local + 14] ^ 1);
  bytes[central + 16] = char(bytes[central + 16] ^ 1);
  WriteBytes(package(), bytes);
  EXPECT_FALSE(ExtractSkinPackage(package(), home.temp(), &files, &error));
  EXPECT_TRUE(tempFiles().isEmpty());
}

}  // namespace
