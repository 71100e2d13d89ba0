// glib's headers come before Qt's: Qt's keyword macros clash with them.
#include <fcntl.h>
#include <gsf/gsf-outfile-msole.h>
#include <gsf/gsf-outfile.h>
#include <gsf/gsf-output-memory.h>
#include <gsf/gsf-utils.h>
#include <stdio.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <memory>
#include <mutex>

#include "data/excel/OleFile.h"

#include <QFileInfo>
#include <QTemporaryFile>

#include "data/excel/ExcelError.h"

namespace {

void InitGsfOnce() {
    static std::once_flag once;
    std::call_once(once, [] { gsf_init(); });
}

// Owns one GObject reference.
struct GUnref {
    void operator()(gpointer p) const {
        if (p) {
            g_object_unref(p);
        }
    }
};
template <typename T>
using GPtr = std::unique_ptr<T, GUnref>;

// Moves `from` to `to` unless `to` exists.
bool RenameNoReplace(const QByteArray& from, const QByteArray& to) {
    if (renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), RENAME_NOREPLACE) == 0) {
        return true;
    }
    if (errno != EINVAL && errno != ENOSYS) {
        return false;
    }
    // The file system cannot rename without replacing: a hard link fails on
    // an existing name just the same.
    if (link(from.constData(), to.constData()) != 0) {
        return false;
    }
    unlink(from.constData());
    return true;
}

}  // namespace

QByteArray BuildCompoundFile(const QString& streamName, const QByteArray& bytes) {
    InitGsfOnce();
    GPtr<GsfOutput> sink(gsf_output_memory_new());
    GPtr<GsfOutfile> ole(gsf_outfile_msole_new(sink.get()));
    if (!ole) {
        throw ExcelError("Cannot make a compound file");
    }
    GPtr<GsfOutput> stream(
        gsf_outfile_new_child(ole.get(), streamName.toUtf8().constData(), FALSE));
    const bool ok = stream &&
                    gsf_output_write(stream.get(), static_cast<size_t>(bytes.size()),
                                     reinterpret_cast<const guint8*>(bytes.constData())) &&
                    gsf_output_close(stream.get()) && gsf_output_close(GSF_OUTPUT(ole.get()));
    if (!ok) {
        throw ExcelError("Cannot write the workbook stream");
    }
    const auto size = static_cast<qsizetype>(gsf_output_size(sink.get()));
    const guint8* data = gsf_output_memory_get_bytes(GSF_OUTPUT_MEMORY(sink.get()));
    return QByteArray(reinterpret_cast<const char*>(data), size);
}

void WriteNewFile(const QString& path, const QByteArray& bytes) {
    const QFileInfo target(path);
    if (target.exists() || target.isSymLink()) {
        throw ExcelError(QString("The file %1 already exists").arg(path));
    }
    QTemporaryFile tmp(target.absolutePath() + "/." + target.fileName() + ".XXXXXX");
    if (!tmp.open()) {
        throw ExcelError(QString("Cannot create a file in %1").arg(target.absolutePath()));
    }
    const bool written =
        tmp.write(bytes) == bytes.size() && tmp.flush() && fsync(tmp.handle()) == 0;
    tmp.close();
    if (!written) {
        throw ExcelError(QString("Cannot write %1").arg(path));
    }
    // The temporary file is private to us; the workbook gets the usual mode.
    tmp.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
    if (!RenameNoReplace(QFile::encodeName(tmp.fileName()), QFile::encodeName(path))) {
        const int err = errno;
        throw ExcelError(err == EEXIST ? QString("The file %1 already exists").arg(path)
                                       : QString("Cannot write %1: %2").arg(path, strerror(err)));
    }
    tmp.setAutoRemove(false);
}
