// The desktop tells Ravo's files by the shared-mime-info package that Ravo
// installs: input files by extension and by content, LandXML by its start.
// Its own program, since Qt reads the MIME folders once per process.
#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QMimeDatabase>
#include <QTemporaryDir>
#include <cstdio>

namespace {

QTemporaryDir* files = nullptr;

QString Write(const QString& name, const QByteArray& bytes)
{
    QFile file(files->filePath(name));
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    return file.fileName();
}

TEST(MimeTypes, InputFilesAndLandXmlAreToldByNameAndContent)
{
    const QByteArray input = "\"Main Street profile\"\r\n1\r\n100,0.02,-0.01,1000,1200\r\n0\r\n";
    const QByteArray landXml =
        "<?xml version=\"1.0\"?>\n<LandXML "
        "xmlns=\"http://www.landxml.org/schema/LandXML-1.2\" version=\"1.2\">"
        "<Alignments/></LandXML>\n";
    struct Case {
        const char* name;
        QByteArray bytes;
        const char* type;
    };
    const Case cases[] = {
        {"road.in", input, "application/x-ravo-input"},
        {"road.in", "anything at all\n", "application/x-ravo-input"},  // the name decides
        {"road", input, "application/x-ravo-input"},                   // no name: the content
        {"unix-road", "\"Title\"\n0\n0\n", "application/x-ravo-input"},
        {"quoted", "\"a quote that runs on without an end", "text/plain"},
        {"road.landxml", landXml, "application/x-landxml"},
        {"road-xml", landXml, "application/x-landxml"},
        {"plain", "<?xml version=\"1.0\"?>\n<LandXML version=\"1.0\"/>\n", "application/x-landxml"},
        {"page", "<?xml version=\"1.0\"?>\n<catalog/>\n", "application/xml"},
    };
    const QMimeDatabase types;
    for (const Case& c : cases) {
        const QString path = Write(QString::fromLatin1(c.name), c.bytes);
        EXPECT_EQ(types.mimeTypeForFile(path).name().toStdString(), c.type) << c.name;
        QFile::remove(path);
    }
    EXPECT_TRUE(types.mimeTypeForName("application/x-landxml").inherits("application/xml"));
    EXPECT_TRUE(types.mimeTypeForName("application/x-ravo-input").inherits("text/plain"));
}

}  // namespace

// As on an installed system, Ravo's package sits beside the system's own in
// one folder, which Qt reads as the only one.
int main(int argc, char** argv)
{
    const QString system = QStringLiteral("/usr/share/mime/packages/freedesktop.org.xml");
    QTemporaryDir data;
    QTemporaryDir home;
    QDir(data.path()).mkpath(QStringLiteral("mime/packages"));
    QFile::copy(QStringLiteral(RAVO_MIME_PACKAGE), data.filePath("mime/packages/ravo.xml"));
    QFile::copy(system, data.filePath("mime/packages/freedesktop.org.xml"));
    qputenv("XDG_DATA_DIRS", data.path().toLocal8Bit());
    qputenv("XDG_DATA_HOME", home.path().toLocal8Bit());
    QCoreApplication app(argc, argv);
    QTemporaryDir scratch;
    files = &scratch;
    ::testing::InitGoogleTest(&argc, argv);
    if (!QFile::exists(system)) {
        std::fprintf(stderr, "shared-mime-info is not installed\n");
        return 0;
    }
    return RUN_ALL_TESTS();
}
