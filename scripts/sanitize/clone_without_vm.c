/* Preloaded into the TSan run only. Qt starts child processes with a
 * vfork-like clone(CLONE_VM | CLONE_VFORK): the child then runs in the
 * parent's memory until it execs, and the TSan hooks it passes through change
 * the parent's TSan state (the parent's locks stop counting, and every later
 * access shows as raced). This makes such a clone an ordinary fork-like one,
 * with memory of its own; threads (CLONE_THREAD) are left alone. */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <sched.h>
#include <stdarg.h>
#include <sys/types.h>

typedef int (*clone_fn)(int (*)(void*), void*, int, void*, ...);

int clone(int (*fn)(void*), void* stack, int flags, void* arg, ...) {
    static clone_fn real;
    if (!real) {
        real = (clone_fn)dlsym(RTLD_NEXT, "clone");
    }
    va_list ap;
    va_start(ap, arg);
    pid_t* parent_tid = va_arg(ap, pid_t*);
    void* tls = va_arg(ap, void*);
    pid_t* child_tid = va_arg(ap, pid_t*);
    va_end(ap);
    if ((flags & CLONE_VM) && !(flags & CLONE_THREAD)) {
        flags &= ~(CLONE_VM | CLONE_VFORK);
    }
    return real(fn, stack, flags, arg, parent_tid, tls, child_tid);
}
