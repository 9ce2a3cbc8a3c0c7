#include "sim/sim_outbox.h"

#include <algorithm>

void CSimOutbox::Post(int fd, std::vector<uint8_t> bytes, Release how, Clock::time_point at)
{
    // Entries on one link keep the order they were posted in unless a later
    // one is due earlier, as the answers of a drive that is slow only on some.
    if (at <= Clock::now() && !HasTimed(fd)) {
        Apply(fd, std::move(bytes), how);
        return;
    }
    const auto after = std::upper_bound(m_timed.begin(), m_timed.end(), at,
                                        [](Clock::time_point t, const Timed& e) { return t < e.at; });
    m_timed.insert(after, Timed{at, fd, std::move(bytes), how});
}

std::optional<CSimOutbox::Clock::time_point> CSimOutbox::NextDue() const
{
    if (m_timed.empty())
        return std::nullopt;
    return m_timed.front().at;
}

void CSimOutbox::SendDue(Clock::time_point now)
{
    while (!m_timed.empty() && m_timed.front().at <= now) {
        Timed e = std::move(m_timed.front());
        m_timed.erase(m_timed.begin());
        Apply(e.fd, std::move(e.bytes), e.how);
    }
}

bool CSimOutbox::HasTimed(int fd) const
{
    return std::any_of(m_timed.begin(), m_timed.end(), [fd](const Timed& e) { return e.fd == fd; });
}

void CSimOutbox::Forget(int fd)
{
    std::erase_if(m_timed, [fd](const Timed& e) { return e.fd == fd; });
    m_waiting.erase(fd);
}

void CSimOutbox::Clear()
{
    m_timed.clear();
    m_waiting.clear();
}

void CSimOutbox::Apply(int fd, std::vector<uint8_t> bytes, Release how)
{
    std::vector<uint8_t>& waiting = m_waiting[fd];
    switch (how) {
    case Release::Hold:
        waiting.insert(waiting.end(), bytes.begin(), bytes.end());
        return;
    case Release::Raw:
        m_send(fd, bytes);
        return;
    case Release::Answer:
    case Release::AnswerAndRepeat:
        // One write, so the stale frame and the fresh one reach the client
        // together, as on a line where they follow each other closely.
        waiting.insert(waiting.end(), bytes.begin(), bytes.end());
        m_send(fd, waiting);
        waiting.clear();
        if (how == Release::AnswerAndRepeat)
            waiting = std::move(bytes);
        return;
    }
}
