// peak: run a command and print on standard error the CPU time it took, user
// and system, in microseconds, and its peak resident set in KiB. Started from
// a small process that execs it at once, the figures are the command's own:
// neither the (large) process that asked for them nor the copy of it that a
// fork would make before the exec is counted.
#include <cstdio>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

// Microseconds in a time of rusage.
static long micro(const struct timeval &t)
{
	return t.tv_sec * 1000000L + t.tv_usec;
}

int main(int argc, char **argv)
{
	struct rusage ru;
	int status;

	if (argc < 2)
		return 2;
	pid_t pid = fork();
	if (pid == 0) {
		execvp(argv[1], argv + 1);
		_exit(127);
	}
	if (pid < 0 || wait4(pid, &status, 0, &ru) < 0)
		return 2;
	fprintf(stderr, "%ld %ld\n", micro(ru.ru_utime) + micro(ru.ru_stime), ru.ru_maxrss);
	return WIFEXITED(status) ? WEXITSTATUS(status) : 2;
}
