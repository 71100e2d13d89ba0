#include "data/excel/ZipArchive.h"

#include <unzip.h>

#include <algorithm>
#include <cstring>

#include "data/excel/SheetReader.h"

namespace {

using Source = ZipArchive::Source;

// minizip's file functions over the archive's bytes in memory.
voidpf OpenSource(voidpf opaque, const void*, int) {
    return opaque;
}

uLong ReadSource(voidpf, voidpf stream, void* buf, uLong size) {
    auto* s = static_cast<Source*>(stream);
    const qint64 left = std::max<qint64>(0, s->bytes.size() - s->pos);
    const qint64 n = std::min<qint64>(left, static_cast<qint64>(size));
    std::memcpy(buf, s->bytes.constData() + s->pos, static_cast<size_t>(n));
    s->pos += n;
    return static_cast<uLong>(n);
}

uLong WriteNothing(voidpf, voidpf, const void*, uLong) {
    return 0;
}

ZPOS64_T TellSource(voidpf, voidpf stream) {
    return static_cast<ZPOS64_T>(static_cast<Source*>(stream)->pos);
}

long SeekSource(voidpf, voidpf stream, ZPOS64_T offset, int origin) {
    auto* s = static_cast<Source*>(stream);
    const qint64 size = s->bytes.size();
    if (offset > static_cast<ZPOS64_T>(size)) {
        return -1;
    }
    qint64 to = static_cast<qint64>(offset);
    if (origin == ZLIB_FILEFUNC_SEEK_CUR) {
        to += s->pos;
    } else if (origin == ZLIB_FILEFUNC_SEEK_END) {
        to += size;
    }
    if (to > size) {
        return -1;
    }
    s->pos = to;
    return 0;
}

int CloseSource(voidpf, voidpf) {
    return 0;
}

int NoError(voidpf, voidpf) {
    return 0;
}

unzFile Zip(void* handle) {
    return static_cast<unzFile>(handle);
}

}  // namespace

ZipArchive::ZipArchive(QByteArray bytes, const QString& file) : m_file(file) {
    m_source.bytes = std::move(bytes);
    if (m_source.bytes.startsWith("\xD0\xCF\x11\xE0")) {
        // A compound file: an encrypted workbook keeps its package in one.
        const QByteArray encrypted = QString("EncryptedPackage").toUtf8();
        QByteArray utf16;
        for (char c : encrypted) {
            utf16.append(c).append('\0');
        }
        Fail(m_source.bytes.contains(utf16) ? QString("the workbook is password-protected")
                                            : QString("it is an Excel 97-2003 workbook (.xls)"));
    }
    if (!m_source.bytes.startsWith("PK\x03\x04")) {
        Fail("it is not an Excel workbook");
    }
    zlib_filefunc64_def io{};
    io.zopen64_file = OpenSource;
    io.zread_file = ReadSource;
    io.zwrite_file = WriteNothing;
    io.ztell64_file = TellSource;
    io.zseek64_file = SeekSource;
    io.zclose_file = CloseSource;
    io.zerror_file = NoError;
    io.opaque = &m_source;
    m_zip = unzOpen2_64("memory", &io);
    if (!m_zip) {
        Fail("the file is damaged or truncated");
    }
    unz_global_info64 info;
    if (unzGetGlobalInfo64(Zip(m_zip), &info) != UNZ_OK || info.number_entry > kMaxEntries) {
        unzClose(Zip(m_zip));
        m_zip = nullptr;
        Fail("the file is damaged or holds too many parts");
    }
}

ZipArchive::~ZipArchive() {
    if (m_zip) {
        unzClose(Zip(m_zip));
    }
}

void ZipArchive::Fail(const QString& why) const {
    throw UnreadableWorkbookError(QString("Cannot read %1: %2").arg(m_file, why));
}

bool ZipArchive::Contains(const QString& name) const {
    return unzLocateFile(Zip(m_zip), name.toUtf8().constData(), 2) == UNZ_OK;
}

QByteArray ZipArchive::Read(const QString& name, qint64 maxBytes) {
    unzFile zip = Zip(m_zip);
    if (unzLocateFile(zip, name.toUtf8().constData(), 2) != UNZ_OK) {
        Fail(QString("the part %1 is missing").arg(name));
    }
    unz_file_info64 info;
    if (unzGetCurrentFileInfo64(zip, &info, nullptr, 0, nullptr, 0, nullptr, 0) != UNZ_OK) {
        Fail("the file is damaged or truncated");
    }
    if (info.flag & 1) {
        Fail("it is password-protected");
    }
    // minizip unpacks no more than the declared size, and checks the sum of
    // what it unpacked against the declared one: an entry claiming too much
    // is refused here, one holding more than it claims fails as damaged.
    const qint64 limit = std::min(maxBytes, kMaxTotalBytes - m_unpacked);
    if (info.uncompressed_size > static_cast<ZPOS64_T>(limit)) {
        Fail(QString("the part %1 unpacks to more than %2 MB")
                 .arg(name)
                 .arg(std::min(maxBytes, kMaxTotalBytes) / (1024 * 1024)));
    }
    if (unzOpenCurrentFile(zip) != UNZ_OK) {
        Fail(QString("the part %1 is damaged").arg(name));
    }
    QByteArray out(static_cast<qsizetype>(info.uncompressed_size), Qt::Uninitialized);
    qsizetype got = 0;
    int n = 0;
    while (got < out.size()) {
        constexpr qsizetype kStep = 1 << 30;
        n = unzReadCurrentFile(zip, out.data() + got,
                               static_cast<unsigned>(std::min(out.size() - got, kStep)));
        if (n <= 0) {
            break;
        }
        got += n;
    }
    const int closed = unzCloseCurrentFile(zip);
    if (n < 0 || closed != UNZ_OK) {
        Fail(QString("the part %1 is damaged or truncated").arg(name));
    }
    if (got < out.size()) {
        out.truncate(got);
        out.squeeze();
    }
    m_unpacked += got;
    return out;
}
