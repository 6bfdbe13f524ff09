#pragma once
// Platform: the few operating-system services the program needs beyond Qt -
// code-page conversion, what a path is when it is opened for reading, and
// whether a folder may take the program's files. Everything here is written
// against POSIX in PlatformPosix.cpp, and nothing else in the program calls
// the system directly, so a Windows build needs one more file,
// PlatformWindows.cpp, with the same functions:
//
//  - CodeConverter: iconv of the C library. On Windows either link GNU
//    libiconv (vcpkg "libiconv", MSYS2 "mingw-w64-libiconv"), whose API is the
//    same, so that PlatformPosix.cpp's converter compiles unchanged, or
//    convert through UTF-16 with MultiByteToWideChar/WideCharToMultiByte
//    (GB18030 is code page 54936, GBK 936; MB_ERR_INVALID_CHARS finds the
//    first undecodable byte).
//  - checkReadable: open(O_NONBLOCK), fstat and lstat with errno. On Windows:
//    GetFileAttributesW (FILE_ATTRIBUTE_DIRECTORY, FILE_ATTRIBUTE_REPARSE_POINT
//    for links) and CreateFileW with GetLastError (ERROR_FILE_NOT_FOUND,
//    ERROR_PATH_NOT_FOUND, ERROR_ACCESS_DENIED, ERROR_CANT_RESOLVE_FILENAME for
//    a link loop, ERROR_FILENAME_EXCED_RANGE); GetFileType tells a disk file
//    from a pipe or device.
//  - openRegularFile, entryKind, sameFile: open/fstat, lstat and stat's
//    device and inode. On Windows: CreateFileW with FILE_SHARE_READ and
//    _open_osfhandle for the handle, GetFileAttributesW for the kind (there
//    are no pipes or devices in the file system, but the reserved names CON,
//    PRN, AUX, NUL, COM1-9 and LPT1-9 with any extension and paths beginning
//    "\\.\" or "\\?\" name devices and must count as Device), and
//    GetFileInformationByHandle's volume serial and file index for sameFile.
//  - keepsFilesIn: access() and the folder's owner. On Windows permissions
//    are ACLs: create and remove a probe file in the folder (a folder under
//    "Program Files" refuses it for an ordinary user); the program's manifest
//    must request asInvoker, so that the system does not quietly redirect the
//    write into the user's VirtualStore. There is no root rule.
#include <QByteArray>
#include <QString>
#include <cstddef>

namespace Platform {

// Converts bytes from one character set to another, a piece at a time, as
// iconv does: the pointers and counts advance over what was converted.
class CodeConverter {
public:
    enum Result {
        Converted,   // all the input was converted
        OutputFull,  // the output buffer is full; call again with room
        BadInput,    // *in points at a byte sequence the source cannot decode
        CutShort,    // the input ends inside a multi-byte sequence
    };

    // Character set names as iconv knows them ("GB18030", "UTF-8", "GBK").
    CodeConverter(const char *to, const char *from);
    ~CodeConverter();
    CodeConverter(const CodeConverter &) = delete;
    CodeConverter &operator=(const CodeConverter &) = delete;

    // False when the system does not know one of the two character sets.
    bool isValid() const;
    Result convert(const char **in, size_t *inLeft, char **out, size_t *outLeft);
    // Writes whatever ends the output (a shift sequence; nothing for
    // GB18030 and UTF-8) and resets the converter.
    void finish(char **out, size_t *outLeft);
    // Puts the converter back into its initial state, writing nothing.
    void reset();

private:
    void *FHandle;
};

// What opening a path for reading finds (without waiting on a pipe).
enum class ReadCheck {
    RegularFile,
    Directory,
    OtherKind,        // a pipe, device or socket
    Missing,
    DanglingLink,     // a symbolic link whose target is gone
    LinkLoop,
    NoPermission,
    NotADirectory,    // a part of the path is a file
    NameTooLong,
    NoResources,      // out of file handles or memory
    DeviceError,
    Other,            // see systemError
};
// systemError receives the system's error number for ReadCheck::Other.
ReadCheck checkReadable(const QString &path, int *systemError = nullptr);

// Opens a regular file for reading without waiting on a pipe: its handle
// (a file descriptor, for QFile::open), or -1 with what the path is in found
// (and the system's error number for ReadCheck::Other).
int openRegularFile(const QString &path, ReadCheck &found, int *systemError = nullptr);
// Closes a handle that openRegularFile gave and nothing took over.
void closeFile(int handle);

// What stands at a path itself; a symbolic link is not followed.
enum class EntryKind { None, RegularFile, Link, Directory, Pipe, Device, Socket, Other };
EntryKind entryKind(const QString &path);

// True when both paths name one file, through links and hard links too.
bool sameFile(const QString &first, const QString &second);

// True when the program may keep its files in folder: it is a directory this
// process can create files in. The superuser can create files anywhere; it
// keeps them only in a folder it owns and whose mode lets its owner write,
// so that a folder made read-only is read-only for root too, and no user
// finds files in their folder that they cannot replace or remove.
bool keepsFilesIn(const QString &folder);

} // namespace Platform
