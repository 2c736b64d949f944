#ifndef TREND_SERIES_T_H
#define TREND_SERIES_T_H

#include <QVector>

#include <vector>

// The raw samples of one trend quantity, the newest `capacity` kept. Once
// full, each new sample replaces the oldest at a constant cost: the samples
// are held as a ring written twice, at its slot and one capacity further
// on, so that the kept samples always lie in one piece, oldest first, for
// the redraw to read in place (2 x capacity values of memory when full).
// Until full it grows as a vector does.
class trend_series_t
{
public:
    explicit trend_series_t(int capacity);

    int capacity() const { return m_capacity; }
    int size() const { return m_size; }
    bool isEmpty() const { return m_size == 0; }
    // Samples appended since the series was made, clears included: the
    // oldest kept sample is number taken() - size().
    qint64 taken() const { return m_taken; }

    void append(double value);
    void clear(); // also gives the memory back; taken() goes on counting

    // The kept samples, oldest first, size() of them in one piece; valid
    // until the next append or clear.
    const double* constData() const { return m_store.data() + m_head; }
    double at(int i) const { return constData()[i]; } // 0 = oldest
    double first() const { return at(0); }
    double last() const { return at(m_size - 1); }
    // The newest `count` samples (all when there are fewer), oldest first.
    QVector<double> last_samples(int count) const;

private:
    std::vector<double> m_store;
    int m_capacity;
    int m_size = 0;
    int m_head = 0; // first kept sample in m_store
    qint64 m_taken = 0;
};

#endif
