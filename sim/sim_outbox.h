#pragma once
// CSimOutbox: the simulator's answers that are built but not sent yet, per
// link (a TCP connection's socket, or the pty's master side). Some are due
// at a time (a slow drive, a timed repeat, the bytes' time on a real line);
// others wait for the link's next answer and go out just in front of it (an
// answer held back, a frame the line repeats). The second kind is what makes
// a stale frame land exactly where a test wants it, whatever the machine's
// speed: its place among the client's requests is fixed by the script, not
// by a clock.
//
// Nothing here blocks: the server thread polls its descriptors until
// NextDue() and then calls SendDue(). Server thread only.
#include <chrono>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <vector>

class CSimOutbox {
public:
    using Clock = std::chrono::steady_clock;
    using Sender = std::function<void(int fd, const std::vector<uint8_t>& bytes)>;
    enum class Release {
        Answer,           // send what waits for this link's next answer, then these bytes
        AnswerAndRepeat,  // as Answer, then keep a copy to go out again in front of the next answer
        Hold,             // keep these bytes for the next answer instead of sending them
        Raw,              // send these bytes, leave the waiting ones waiting
    };

    explicit CSimOutbox(Sender send) : m_send(std::move(send)) {}

    // Releases `bytes` on link `fd` as `how` says, now (at <= Clock::now())
    // or when `at` comes.
    void Post(int fd, std::vector<uint8_t> bytes, Release how, Clock::time_point at);
    // The time the next timed entry falls due, if any.
    std::optional<Clock::time_point> NextDue() const;
    // Releases every timed entry due by `now`, in order of their times.
    void SendDue(Clock::time_point now);
    // Whether link `fd` still has timed entries (a link closing after its
    // last answer closes once that is out).
    bool HasTimed(int fd) const;
    // Link `fd` closed: all it had is lost, as on a wire that is gone.
    void Forget(int fd);
    void Clear();

private:
    struct Timed {
        Clock::time_point at;
        int fd;
        std::vector<uint8_t> bytes;
        Release how;
    };
    void Apply(int fd, std::vector<uint8_t> bytes, Release how);

    Sender m_send;
    std::vector<Timed> m_timed;                        // in order of `at`, first posted first
    std::map<int, std::vector<uint8_t>> m_waiting;     // per link, oldest bytes first
};
