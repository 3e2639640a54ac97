// Read access to a compiled HTML help file (.chm) through chmlib.
#pragma once

#include <QByteArray>
#include <QString>
#include <memory>
#include <optional>

struct chmFile;

namespace ravo {

class ChmFile {
public:
    // Empty when the file is missing or is no compiled help file.
    static std::unique_ptr<ChmFile> Open(const QString& path);
    ~ChmFile();
    ChmFile(const ChmFile&) = delete;
    ChmFile& operator=(const ChmFile&) = delete;

    // Objects are named by their path inside the file, such as "/Overview.htm";
    // a name without the leading "/" means the same object.
    bool Contains(const QString& objectPath) const;
    // The object's bytes; empty when there is no such object or it cannot be read.
    std::optional<QByteArray> Read(const QString& objectPath) const;

private:
    explicit ChmFile(chmFile* handle) : handle_(handle) {}
    chmFile* handle_;
};

}  // namespace ravo
