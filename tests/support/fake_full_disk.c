/* A disk that fills up, for fault-injection runs of the real program:
 * loaded with LD_PRELOAD, it lets write() put VELMORA_FAKE_DISK_BYTES bytes
 * into regular files (standard input, output and error are not counted)
 * and then fails every further write with ENOSPC, the last one short, as a
 * full file system does. Without the variable it changes nothing. */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <errno.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <unistd.h>

typedef ssize_t (*WriteFunction)(int, const void*, size_t);

static long long remaining = -1; /* -1: no limit */

__attribute__((constructor)) static void ReadLimit(void) {
  const char* limit = getenv("VELMORA_FAKE_DISK_BYTES");
  if (limit != NULL && *limit != '\0') remaining = atoll(limit);
}

static int Counted(int fd) {
  struct stat info;
  return fd > 2 && fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
}

ssize_t write(int fd, const void* bytes, size_t count) {
  static WriteFunction real_write = NULL;
  if (real_write == NULL) real_write = (WriteFunction)dlsym(RTLD_NEXT, "write");
  if (remaining < 0 || count == 0 || !Counted(fd)) return real_write(fd, bytes, count);
  if (remaining == 0) {
    errno = ENOSPC;
    return -1;
  }
  if ((long long)count > remaining) count = (size_t)remaining;
  const ssize_t written = real_write(fd, bytes, count);
  if (written > 0) remaining -= written;
  return written;
}
