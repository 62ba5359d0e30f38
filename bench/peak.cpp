// peak: run a command and print its wall seconds and peak resident KiB.
// Started from a small process, the command's peak is its own, not that of
// the (large) process that asked for the measurement.
#include <cstdio>
#include <ctime>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

int main(int argc, char **argv)
{
	struct timespec t0, t1;
	struct rusage ru;
	int status;

	if (argc < 2)
		return 2;
	clock_gettime(CLOCK_MONOTONIC, &t0);
	pid_t pid = fork();
	if (pid == 0) {
		execvp(argv[1], argv + 1);
		_exit(127);
	}
	if (pid < 0 || wait4(pid, &status, 0, &ru) < 0)
		return 2;
	clock_gettime(CLOCK_MONOTONIC, &t1);
	fprintf(stderr, "%.6f %ld\n", (t1.tv_sec - t0.tv_sec) + (t1.tv_nsec - t0.tv_nsec) / 1e9, ru.ru_maxrss);
	return WIFEXITED(status) ? WEXITSTATUS(status) : 2;
}
