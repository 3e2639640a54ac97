// The desktop tells Ravo's files by the shared-mime-info package that Ravo
// installs: input files by extension and by content, LandXML by its start.
// Its own program, since Qt reads the MIME folders once per process.
#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QMimeDatabase>
#include <QTemporaryDir>

namespace {

const QString SystemTypes = QStringLiteral("/usr/share/mime/packages/freedesktop.org.xml");

TEST(MimeTypes, InputFilesAndLandXmlAreToldByNameAndContent)
{
    if (!QFile::exists(SystemTypes))
        GTEST_SKIP() << "shared-mime-info is not installed";
    const QByteArray input = "\"Main Street profile\"\r\n1\r\n100,0.02,-0.01,1000,1200\r\n0\r\n";
    const QByteArray landXml =
        "<?xml version=\"1.0\"?>\n<LandXML xmlns=\"http://www.landxml.org/"
        "schema/LandXML-1.2\"><Alignments/></LandXML>\n";
    const struct {
        const char* name;
        QByteArray bytes;
        const char* type;
    } cases[] = {
        {"odd.in", "anything at all\n", "application/x-ravo-input"},  // the name decides
        {"Makefile.in", "all:\n\tcc -o ravo ravo.c\n", "text/x-makefile"},
        {"road", input, "application/x-ravo-input"},  // no name: the content
        {"unix-road", "\"Title\"\n0\n0\n", "application/x-ravo-input"},
        {"quoted", "\"a quote that runs on without an end", "text/plain"},
        {"road.landxml", landXml, "application/x-landxml"},
        {"road-xml", landXml, "application/x-landxml"},
        {"road.xml", landXml, "application/x-landxml"},
        {"page", "<?xml version=\"1.0\"?>\n<catalog/>\n", "application/xml"},
        {"bare.xml", "<catalog/>\n", "application/xml"},
    };
    const QTemporaryDir folder;
    const QMimeDatabase types;
    for (const auto& c : cases) {
        QFile file(folder.filePath(QString::fromLatin1(c.name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(c.bytes);
        file.close();
        EXPECT_EQ(types.mimeTypeForFile(file.fileName()).name().toStdString(), c.type) << c.name;
    }
    EXPECT_TRUE(types.mimeTypeForName("application/x-landxml").inherits("application/xml"));
    EXPECT_TRUE(types.mimeTypeForName("application/x-ravo-input").inherits("text/plain"));
}

}  // namespace

// As on an installed system, Ravo's package sits beside the system's own in
// one folder, which Qt reads as the only one.
int main(int argc, char** argv)
{
    const QTemporaryDir data;
    const QTemporaryDir home;
    QDir(data.path()).mkpath(QStringLiteral("mime/packages"));
    QFile::copy(QStringLiteral(RAVO_MIME_PACKAGE), data.filePath("mime/packages/ravo.xml"));
    QFile::copy(SystemTypes, data.filePath("mime/packages/freedesktop.org.xml"));
    qputenv("XDG_DATA_DIRS", data.path().toLocal8Bit());
    qputenv("XDG_DATA_HOME", home.path().toLocal8Bit());
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
