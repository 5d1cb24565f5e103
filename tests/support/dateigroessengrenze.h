#pragma once

#include <sys/resource.h>

#include <csignal>

// While alive, files of this process cannot grow beyond `grenze` bytes: a write past it fails
// with EFBIG like on a full disk (the signal that would end the process is ignored). Works as
// root too, unlike a read-only folder.
class Dateigroessengrenze final
{
public:
    explicit Dateigroessengrenze(rlim_t grenze)
    {
        getrlimit(RLIMIT_FSIZE, &m_alt);
        m_signal = std::signal(SIGXFSZ, SIG_IGN);
        rlimit neu = m_alt;
        neu.rlim_cur = grenze;
        setrlimit(RLIMIT_FSIZE, &neu);
    }
    ~Dateigroessengrenze()
    {
        setrlimit(RLIMIT_FSIZE, &m_alt);
        std::signal(SIGXFSZ, m_signal);
    }
    Dateigroessengrenze(const Dateigroessengrenze&) = delete;
    Dateigroessengrenze& operator=(const Dateigroessengrenze&) = delete;

private:
    rlimit m_alt{};
    void (*m_signal)(int) = SIG_DFL;
};
