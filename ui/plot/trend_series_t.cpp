#include "trend_series_t.h"

#include <algorithm>

trend_series_t::trend_series_t(int capacity)
    : m_capacity(std::max(1, capacity))
{
}

void trend_series_t::append(double value)
{
    ++m_taken;
    if (m_size < m_capacity) {
        m_store.push_back(value);
        ++m_size;
        return;
    }
    if (int(m_store.size()) < 2 * m_capacity) {
        // Full for the first time: the second copy of the ring, once.
        m_store.resize(2 * std::size_t(m_capacity));
        std::copy_n(m_store.begin(), m_capacity, m_store.begin() + m_capacity);
        m_head = 0;
    }
    // Over the oldest sample in both copies; the kept samples are then the
    // capacity values from the next slot on.
    m_store[std::size_t(m_head)] = value;
    m_store[std::size_t(m_head + m_capacity)] = value;
    m_head = (m_head + 1) % m_capacity;
}

void trend_series_t::clear()
{
    std::vector<double>().swap(m_store);
    m_size = 0;
    m_head = 0;
}

QVector<double> trend_series_t::last_samples(int count) const
{
    const int n = std::max(0, std::min(count, m_size));
    const double* end = constData() + m_size;
    QVector<double> out(n);
    std::copy(end - n, end, out.begin());
    return out;
}
