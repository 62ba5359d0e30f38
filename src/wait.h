// Waiting for a descriptor that another program left non-blocking.
#pragma once
#include <cerrno>
#include <poll.h>

// Whether a call on descriptor fd that failed should be tried again: after
// a signal, or, where the descriptor says it would have had to wait, once
// it is ready for events. A wait that fails keeps the call's error.
static inline bool again(int fd, short events)
{
	if (errno == EAGAIN || errno == EWOULDBLOCK) {
		int e = errno, r;
		struct pollfd q = {fd, events, 0};
		while ((r = poll(&q, 1, -1)) < 0 && errno == EINTR)
			;
		errno = e;
		return r > 0;
	}
	return errno == EINTR;
}
