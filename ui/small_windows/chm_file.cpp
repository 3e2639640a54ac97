// Pages of a compiled HTML help file read through chmlib.
#include "ui/small_windows/chm_file.h"

#include <chm_lib.h>
#include <QFile>

namespace ravo {
namespace {

// No page, picture or style sheet of a help file comes near this; a larger
// length can only come from a damaged file.
constexpr LONGUINT64 kLargestObject = 64 * 1024 * 1024;

QByteArray ObjectName(const QString& objectPath)
{
    QByteArray name = objectPath.toUtf8();
    if (!name.startsWith('/'))
        name.prepend('/');
    return name;
}

}  // namespace

std::unique_ptr<ChmFile> ChmFile::Open(const QString& path)
{
    if (path.isEmpty())
        return nullptr;
    chmFile* handle = chm_open(QFile::encodeName(path).constData());
    if (handle == nullptr)
        return nullptr;
    return std::unique_ptr<ChmFile>(new ChmFile(handle));
}

ChmFile::~ChmFile() { chm_close(handle_); }

bool ChmFile::Contains(const QString& objectPath) const
{
    chmUnitInfo unit{};
    return chm_resolve_object(handle_, ObjectName(objectPath).constData(), &unit) ==
           CHM_RESOLVE_SUCCESS;
}

std::optional<QByteArray> ChmFile::Read(const QString& objectPath) const
{
    chmUnitInfo unit{};
    if (chm_resolve_object(handle_, ObjectName(objectPath).constData(), &unit) !=
            CHM_RESOLVE_SUCCESS ||
        unit.length > kLargestObject)
        return std::nullopt;
    QByteArray bytes(static_cast<qsizetype>(unit.length), Qt::Uninitialized);
    const LONGINT64 read =
        chm_retrieve_object(handle_, &unit, reinterpret_cast<unsigned char*>(bytes.data()), 0,
                            static_cast<LONGINT64>(unit.length));
    if (read != static_cast<LONGINT64>(unit.length))
        return std::nullopt;
    return bytes;
}

}  // namespace ravo
