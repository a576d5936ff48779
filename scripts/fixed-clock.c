/* Runs a program with the time of day stopped at a given moment: every reading of the real-time
 * clock through a system call (time, gettimeofday, clock_gettime) returns it, and the clocks that
 * count from boot return zero; random bytes from the kernel are zeros, and addresses are not
 * randomised. The CHM compiler
 * reads the clock by system calls of its own, which LD_PRELOAD-based tools such as faketime do
 * not reach; it writes that time into Help.chm.
 *   fixed-clock EPOCH PROGRAM [ARGUMENT...]
 * Linux on x86-64 only. Ends with the program's exit status. */
#define _GNU_SOURCE
#include <errno.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <sys/personality.h>
#include <sys/ptrace.h>
#include <sys/syscall.h>
#include <sys/user.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

/* Writes two 64-bit words (seconds, then micro- or nanoseconds) at address in the traced
 * thread. */
static void write_time(pid_t thread, unsigned long long address, long long seconds) {
    if (address == 0)
        return;
    ptrace(PTRACE_POKEDATA, thread, (void*)address, (void*)seconds);
    ptrace(PTRACE_POKEDATA, thread, (void*)(address + 8), (void*)0);
}

/* Fills length bytes at address in the traced thread with zeros. */
static void write_zeros(pid_t thread, unsigned long long address, unsigned long long length) {
    unsigned long long done = 0;
    for (; done + 8 <= length; done += 8)
        ptrace(PTRACE_POKEDATA, thread, (void*)(address + done), (void*)0);
    if (done < length) {
        errno = 0;
        unsigned long long word =
            (unsigned long long)ptrace(PTRACE_PEEKDATA, thread, (void*)(address + done), 0);
        if (errno != 0)
            return;
        word &= ~0ULL << (8 * (length - done));
        ptrace(PTRACE_POKEDATA, thread, (void*)(address + done), (void*)word);
    }
}

/* At the return of a system call: the clock readings get the fixed time, and random bytes are
 * zeros, so that nothing the program makes depends on when or where it ran. */
static void fix_result(pid_t thread, long long epoch) {
    struct user_regs_struct regs;
    if (ptrace(PTRACE_GETREGS, thread, 0, &regs) != 0 || (long long)regs.rax < 0)
        return;
    switch (regs.orig_rax) {
    case SYS_time:
        if (regs.rdi != 0)
            ptrace(PTRACE_POKEDATA, thread, (void*)regs.rdi, (void*)epoch);
        regs.rax = (unsigned long long)epoch;
        ptrace(PTRACE_SETREGS, thread, 0, &regs);
        break;
    case SYS_gettimeofday:
        write_time(thread, regs.rdi, epoch);
        break;
    case SYS_clock_gettime:
        /* The other clocks count from boot: the same start in every build. */
        if (regs.rdi == CLOCK_REALTIME || regs.rdi == CLOCK_REALTIME_COARSE)
            write_time(thread, regs.rsi, epoch);
        else
            write_time(thread, regs.rsi, 0);
        break;
    case SYS_getrandom:
        write_zeros(thread, regs.rdi, regs.rax);
        break;
    default:
        break;
    }
}

int main(int argc, char** argv) {
    char* end = NULL;
    const long long epoch = argc >= 3 ? strtoll(argv[1], &end, 10) : 0;
    if (argc < 3 || end == argv[1] || *end != '\0' || epoch < 0) {
        fprintf(stderr, "usage: fixed-clock EPOCH PROGRAM [ARGUMENT...]\n");
        return 2;
    }
    const pid_t child = fork();
    if (child < 0) {
        perror("fixed-clock: fork");
        return 1;
    }
    if (child == 0) {
        /* The CHM compiler writes bytes that depend on where its memory lies: the same
         * addresses in every run. */
        personality(ADDR_NO_RANDOMIZE);
        ptrace(PTRACE_TRACEME, 0, 0, 0);
        raise(SIGSTOP);
        execvp(argv[2], argv + 2);
        perror("fixed-clock: exec");
        _exit(127);
    }
    int status = 0;
    waitpid(child, &status, 0);
    ptrace(PTRACE_SETOPTIONS, child, 0,
           (void*)(PTRACE_O_TRACESYSGOOD | PTRACE_O_EXITKILL | PTRACE_O_TRACECLONE |
                   PTRACE_O_TRACEFORK | PTRACE_O_TRACEVFORK));
    ptrace(PTRACE_SYSCALL, child, 0, 0);
    /* Each thread stops at the entry and at the return of every system call; the kernel
     * reports -ENOSYS in rax at the entry. */
    for (;;) {
        const pid_t thread = waitpid(-1, &status, __WALL);
        if (thread < 0)
            return 1;
        if (WIFEXITED(status) || WIFSIGNALED(status)) {
            if (thread == child)
                return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
            continue;
        }
        int pass = 0;
        const int signal = WSTOPSIG(status);
        if (signal == (SIGTRAP | 0x80)) {
            struct user_regs_struct regs;
            if (ptrace(PTRACE_GETREGS, thread, 0, &regs) == 0 && (long long)regs.rax != -ENOSYS)
                fix_result(thread, epoch);
        } else if (signal != SIGTRAP && signal != SIGSTOP) {
            pass = signal;
        }
        ptrace(PTRACE_SYSCALL, thread, 0, (void*)(long)pass);
    }
}
