// The POSIX side of Platform (Debian and any other Unix): iconv of the C
// library, open/fstat/lstat with errno, and access() with the folder's owner.
// What a Windows build puts in their place is described in Platform.h.
#include "Platform.h"

#include <QFile>
#include <cerrno>
#include <fcntl.h>
#include <iconv.h>
#include <sys/stat.h>
#include <unistd.h>

namespace Platform {

CodeConverter::CodeConverter(const char *to, const char *from)
    : FHandle(reinterpret_cast<void *>(iconv_open(to, from)))
{
}

CodeConverter::~CodeConverter()
{
    if (isValid())
        iconv_close(reinterpret_cast<iconv_t>(FHandle));
}

bool CodeConverter::isValid() const
{
    return reinterpret_cast<iconv_t>(FHandle) != iconv_t(-1);
}

CodeConverter::Result CodeConverter::convert(const char **in, size_t *inLeft, char **out, size_t *outLeft)
{
    // glibc's iconv takes char ** for the input; it does not write through it.
    char **input = const_cast<char **>(in);
    if (iconv(reinterpret_cast<iconv_t>(FHandle), input, inLeft, out, outLeft) != size_t(-1))
        return Converted;
    switch (errno) {
    case E2BIG:
        return OutputFull;
    case EINVAL:
        return CutShort;
    default:
        return BadInput;
    }
}

void CodeConverter::finish(char **out, size_t *outLeft)
{
    iconv(reinterpret_cast<iconv_t>(FHandle), nullptr, nullptr, out, outLeft);
}

void CodeConverter::reset()
{
    iconv(reinterpret_cast<iconv_t>(FHandle), nullptr, nullptr, nullptr, nullptr);
}

ReadCheck checkReadable(const QString &path, int *systemError)
{
    const QByteArray native = QFile::encodeName(path);
    // Without blocking, so that a named pipe does not hang the caller.
    const int fd = ::open(native.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd >= 0) {
        struct stat st {};
        const bool known = ::fstat(fd, &st) == 0;
        ::close(fd);
        if (known && S_ISDIR(st.st_mode))
            return ReadCheck::Directory;
        if (known && !S_ISREG(st.st_mode))
            return ReadCheck::OtherKind;
        return ReadCheck::RegularFile;
    }
    const int error = errno;
    if (systemError)
        *systemError = error;
    struct stat link {};
    switch (error) {
    case ENOENT:
        // A link whose target is gone is there itself.
        if (::lstat(native.constData(), &link) == 0 && S_ISLNK(link.st_mode))
            return ReadCheck::DanglingLink;
        return ReadCheck::Missing;
    case ELOOP:
        return ReadCheck::LinkLoop;
    case EACCES:
    case EPERM:
        return ReadCheck::NoPermission;
    case EISDIR:
        return ReadCheck::Directory;
    case ENOTDIR:
        return ReadCheck::NotADirectory;
    case ENAMETOOLONG:
        return ReadCheck::NameTooLong;
    case EMFILE:
    case ENFILE:
    case ENOMEM:
        return ReadCheck::NoResources;
    case EIO:
        return ReadCheck::DeviceError;
    default:
        return ReadCheck::Other;
    }
}

int openRegularFile(const QString &path, ReadCheck &found, int *systemError)
{
    const QByteArray native = QFile::encodeName(path);
    const int fd = ::open(native.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        found = checkReadable(path, systemError);
        if (found == ReadCheck::RegularFile) // gone or changed in between
            found = ReadCheck::Other;
        return -1;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        found = S_ISDIR(st.st_mode) ? ReadCheck::Directory : ReadCheck::OtherKind;
        ::close(fd);
        return -1;
    }
    // Reads of a regular file never block; the flag only mattered for opening.
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    found = ReadCheck::RegularFile;
    return fd;
}

void closeFile(int handle)
{
    ::close(handle);
}

EntryKind entryKind(const QString &path)
{
    struct stat st {};
    if (::lstat(QFile::encodeName(path).constData(), &st) != 0)
        return EntryKind::None;
    if (S_ISREG(st.st_mode))
        return EntryKind::RegularFile;
    if (S_ISLNK(st.st_mode))
        return EntryKind::Link;
    if (S_ISDIR(st.st_mode))
        return EntryKind::Directory;
    if (S_ISFIFO(st.st_mode))
        return EntryKind::Pipe;
    if (S_ISCHR(st.st_mode) || S_ISBLK(st.st_mode))
        return EntryKind::Device;
    if (S_ISSOCK(st.st_mode))
        return EntryKind::Socket;
    return EntryKind::Other;
}

bool sameFile(const QString &first, const QString &second)
{
    struct stat a {};
    struct stat b {};
    return ::stat(QFile::encodeName(first).constData(), &a) == 0
        && ::stat(QFile::encodeName(second).constData(), &b) == 0 && a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

bool keepsFilesIn(const QString &folder)
{
    const QByteArray native = QFile::encodeName(folder);
    struct stat st {};
    if (::stat(native.constData(), &st) != 0 || !S_ISDIR(st.st_mode))
        return false;
    // Write and search permission for the effective user; a read-only file
    // system refuses here too (EROFS).
    if (::faccessat(AT_FDCWD, native.constData(), W_OK | X_OK, AT_EACCESS) != 0)
        return false;
    // The superuser passes every permission check, so for it the folder's
    // owner and mode decide: it keeps files only in a folder of its own
    // whose mode lets the owner write.
    if (::geteuid() == 0 && (st.st_uid != 0 || !(st.st_mode & S_IWUSR)))
        return false;
    return true;
}

} // namespace Platform
