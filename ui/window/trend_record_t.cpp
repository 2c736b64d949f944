#include "trend_record_t.h"

#include <QTime>

int trend_record_t::settings_t::total_seconds() const
{
    return hours * 3600 + minutes * 60 + seconds;
}

QString trend_record_t::header()
{
    return QStringLiteral("time, Current(A), Voltage(V), Resistance(ohm), Power(W)");
}

QString trend_record_t::row(const QTime& time, double current, double voltage, double resistance, double power)
{
    const QChar comma(QLatin1Char(','));
    return QStringLiteral(",\n") + time.toString(Qt::TextDate) + comma + QString::number(current, 'g', 6) + comma
           + QString::number(voltage, 'g', 6) + comma + QString::number(resistance, 'g', 6) + comma
           + QString::number(power, 'g', 6);
}

trend_record_t::start_result_t trend_record_t::check() const
{
    // A zero interval would write rows as fast as the timer can fire; a
    // zero stop would end the record before it records anything.
    if (!settings.auto_interval && settings.interval_s < 1)
        return zero_interval;
    if (settings.stop_by_time && settings.total_seconds() < 1)
        return zero_time;
    if (settings.stop_by_count && settings.stop_count < 1)
        return zero_count;
    return started;
}

trend_record_t::start_result_t trend_record_t::start()
{
    const start_result_t result = check();
    if (result != started)
        return result;
    m_active = settings;
    m_running = true;
    m_fresh = false;
    m_rows = 0;
    return started;
}

void trend_record_t::stop()
{
    m_running = false;
    m_fresh = false;
}

int trend_record_t::interval_ms() const
{
    return m_active.auto_interval ? watch_interval_ms : m_active.interval_s * 1000;
}

int trend_record_t::stop_time_ms() const
{
    return m_active.stop_by_time ? m_active.total_seconds() * 1000 : 0;
}

trend_record_t::action_t trend_record_t::count_row()
{
    ++m_rows;
    if (m_active.stop_by_count && m_rows >= m_active.stop_count)
        return act_write_and_stop;
    return act_write;
}

trend_record_t::action_t trend_record_t::on_measurement()
{
    if (!m_running)
        return act_none;
    if (!m_active.auto_interval) {
        m_fresh = true;
        return act_none;
    }
    return count_row();
}

trend_record_t::action_t trend_record_t::on_interval(bool connected)
{
    if (!m_running)
        return act_none;
    // Values kept from a load that is gone are not readings.
    if (!connected)
        return act_stop;
    if (m_active.auto_interval || !m_fresh)
        return act_none;
    m_fresh = false;
    return count_row();
}

trend_record_t::action_t trend_record_t::on_stop_time()
{
    return m_running ? act_stop : act_none;
}
