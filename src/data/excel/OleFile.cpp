// glib's headers come before Qt's: Qt's keyword macros clash with them.
#include <fcntl.h>
#include <gsf/gsf-infile-msole.h>
#include <gsf/gsf-infile.h>
#include <gsf/gsf-input-memory.h>
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

// Why a file that is no compound file cannot be a workbook.
QString NotACompoundFile(const QByteArray& file) {
    if (file.isEmpty()) {
        return "the file is empty";
    }
    if (file.startsWith("PK\x03\x04")) {
        return "it is an Excel 2007 or later workbook (.xlsx), not an Excel 97-2003 one";
    }
    const QByteArray head = file.left(4096);
    bool text = true;
    for (char c : head) {
        const auto u = static_cast<unsigned char>(c);
        text = text && (u >= 0x20 || u == '\t' || u == '\r' || u == '\n');
    }
    return text ? "it is a text file, not an Excel 97-2003 workbook"
                : "it is not an Excel 97-2003 workbook";
}

// The stream named `name` (in any case) of the compound file, or null.
GPtr<GsfInput> Child(GsfInfile* ole, const char* name) {
    for (int i = 0; i < gsf_infile_num_children(ole); ++i) {
        const char* child = gsf_infile_name_by_index(ole, i);
        if (child && g_ascii_strcasecmp(child, name) == 0) {
            return GPtr<GsfInput>(gsf_infile_child_by_index(ole, i));
        }
    }
    return nullptr;
}

}  // namespace

QByteArray ReadWorkbookStream(const QByteArray& file) {
    static const QByteArray kSignature("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8);
    if (!file.startsWith(kSignature)) {
        throw UnreadableWorkbookError(NotACompoundFile(file));
    }
    InitGsfOnce();
    GPtr<GsfInput> input(gsf_input_memory_new(reinterpret_cast<const guint8*>(file.constData()),
                                              file.size(), FALSE));
    GError* error = nullptr;
    GPtr<GsfInfile> ole(input ? gsf_infile_msole_new(input.get(), &error) : nullptr);
    if (!ole) {
        const QString why = error ? QString::fromUtf8(error->message) : QString("no details");
        g_clear_error(&error);
        throw UnreadableWorkbookError(QString("it is damaged or truncated (%1)").arg(why));
    }
    GPtr<GsfInput> stream = Child(ole.get(), "Workbook");
    if (!stream) {
        throw UnreadableWorkbookError(
            Child(ole.get(), "Book")
                ? "it is an Excel 5.0/95 workbook; only Excel 97-2003 workbooks can be read"
                : "it holds no workbook");
    }
    const gsf_off_t size = gsf_input_size(stream.get());
    if (size < 0 || size > file.size()) {
        throw UnreadableWorkbookError("it is damaged (the workbook stream has no valid size)");
    }
    QByteArray bytes(static_cast<qsizetype>(size), Qt::Uninitialized);
    if (size > 0 && !gsf_input_read(stream.get(), static_cast<size_t>(size),
                                    reinterpret_cast<guint8*>(bytes.data()))) {
        throw UnreadableWorkbookError("it is damaged or truncated (the workbook cannot be read)");
    }
    return bytes;
}

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
        throw WorkbookWriteError(tmp.errorString());
    }
    const bool written =
        tmp.write(bytes) == bytes.size() && tmp.flush() && fsync(tmp.handle()) == 0;
    tmp.close();
    if (!written) {
        throw WorkbookWriteError(tmp.errorString());
    }
    // The temporary file is private to us; the workbook gets the usual mode.
    tmp.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
    if (!RenameNoReplace(QFile::encodeName(tmp.fileName()), QFile::encodeName(path))) {
        const int err = errno;
        if (err == EEXIST) {
            throw ExcelError(QString("The file %1 already exists").arg(path));
        }
        throw WorkbookWriteError(QString::fromLocal8Bit(strerror(err)));
    }
    tmp.setAutoRemove(false);
}
