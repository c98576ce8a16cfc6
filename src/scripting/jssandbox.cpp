#include "scripting/jssandbox.h"

#if defined(__linux__) && defined(__x86_64__)

#include <cerrno>
#include <cstddef>
#include <linux/audit.h>
#include <linux/filter.h>
#include <linux/seccomp.h>
#include <sched.h>
#include <sys/prctl.h>
#include <sys/syscall.h>
#include <vector>

namespace tintwell::script {

namespace {

// Calls refused outright: everything that names a file, a socket, a program
// or another process.
constexpr long kRefused[] = {
    SYS_open, SYS_openat, SYS_openat2, SYS_creat, SYS_open_by_handle_at, SYS_name_to_handle_at,
    SYS_truncate, SYS_unlink, SYS_unlinkat, SYS_rename, SYS_renameat, SYS_renameat2, SYS_mkdir,
    SYS_mkdirat, SYS_rmdir, SYS_link, SYS_linkat, SYS_symlink, SYS_symlinkat, SYS_chmod,
    SYS_fchmodat, SYS_chown, SYS_fchownat, SYS_lchown, SYS_mknod, SYS_mknodat,
    SYS_socket, SYS_socketpair, SYS_connect, SYS_bind, SYS_listen, SYS_accept, SYS_accept4,
    SYS_execve, SYS_execveat, SYS_fork, SYS_vfork, SYS_ptrace, SYS_process_vm_readv,
    SYS_process_vm_writev, SYS_kill, SYS_io_uring_setup, SYS_mount, SYS_chroot, SYS_pivot_root,
};

sock_filter stmt(unsigned short code, unsigned k)
{
    return BPF_STMT(code, k);
}

sock_filter jump(unsigned short code, unsigned k, unsigned char yes, unsigned char no)
{
    return BPF_JUMP(code, k, yes, no);
}

} // namespace

bool closeWorkerSandbox()
{
    constexpr unsigned kDeny = SECCOMP_RET_ERRNO | (EPERM & SECCOMP_RET_DATA);
    std::vector<sock_filter> f;
    // Another architecture's calls (32-bit, x32) have other numbers: refuse them all.
    f.push_back(stmt(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, arch)));
    f.push_back(jump(BPF_JMP | BPF_JEQ | BPF_K, AUDIT_ARCH_X86_64, 1, 0));
    f.push_back(stmt(BPF_RET | BPF_K, kDeny));
    f.push_back(stmt(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, nr)));
    f.push_back(jump(BPF_JMP | BPF_JGE | BPF_K, 0x40000000u, 0, 1));
    f.push_back(stmt(BPF_RET | BPF_K, kDeny));
    for (long nr : kRefused) {
        f.push_back(jump(BPF_JMP | BPF_JEQ | BPF_K, unsigned(nr), 0, 1));
        f.push_back(stmt(BPF_RET | BPF_K, kDeny));
    }
    // clone3 takes its flags in memory the filter cannot read: report it
    // missing, and the C library falls back to clone.
    f.push_back(jump(BPF_JMP | BPF_JEQ | BPF_K, unsigned(SYS_clone3), 0, 1));
    f.push_back(stmt(BPF_RET | BPF_K, SECCOMP_RET_ERRNO | (ENOSYS & SECCOMP_RET_DATA)));
    // clone: a new thread yes, a new process no.
    f.push_back(jump(BPF_JMP | BPF_JEQ | BPF_K, unsigned(SYS_clone), 0, 3));
    f.push_back(stmt(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, args[0])));
    f.push_back(jump(BPF_JMP | BPF_JSET | BPF_K, CLONE_THREAD, 1, 0));
    f.push_back(stmt(BPF_RET | BPF_K, kDeny));
    f.push_back(stmt(BPF_RET | BPF_K, SECCOMP_RET_ALLOW));

    sock_fprog program{static_cast<unsigned short>(f.size()), f.data()};
    if (prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) != 0)
        return false;
    return prctl(PR_SET_SECCOMP, SECCOMP_MODE_FILTER, &program) == 0;
}

} // namespace tintwell::script

#else

namespace tintwell::script {

bool closeWorkerSandbox()
{
    return false;
}

} // namespace tintwell::script

#endif
