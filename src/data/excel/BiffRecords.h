#pragma once

// The record numbers of a BIFF8 workbook stream, and the values of its first
// record, as the reader and the writer both use them.

namespace biff {

enum RecordType : unsigned {
    kFormula = 0x0006,
    kEof = 0x000A,
    kPrecision = 0x000E,
    kProtect = 0x0012,
    kPassword = 0x0013,
    kWindowProtect = 0x0019,
    kDateMode = 0x0022,
    kFilePass = 0x002F,
    kFont = 0x0031,
    kContinue = 0x003C,
    kWindow1 = 0x003D,
    kBackup = 0x0040,
    kCodePage = 0x0042,
    kBoundSheet = 0x0085,
    kHideObj = 0x008D,
    kMulRk = 0x00BD,
    kRString = 0x00D6,
    kBookBool = 0x00DA,
    kXf = 0x00E0,
    kSst = 0x00FC,
    kLabelSst = 0x00FD,
    kExtSst = 0x00FF,
    kTabId = 0x013D,
    kDimensions = 0x0200,
    kNumber = 0x0203,
    kLabel = 0x0204,
    kBoolErr = 0x0205,
    kString = 0x0207,
    kWindow2 = 0x023E,
    kRk = 0x027E,
    kStyle = 0x0293,
    kFormat = 0x041E,
    kBof = 0x0809,
};

// The first record's version and the kinds of substream it opens.
inline constexpr unsigned kBiff8 = 0x0600;
inline constexpr unsigned kBofGlobals = 0x0005;
inline constexpr unsigned kBofSheet = 0x0010;

}  // namespace biff
