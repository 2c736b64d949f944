#include "cfg_wave_conv_t.h"

#include "cfg_csv_main_t.h"
#include "cfg_dat_main_t.h"

#include <QDebug>

cfg_wave_conv_t::cfg_wave_conv_t() = default;

cfg_wave_conv_t::~cfg_wave_conv_t() = default;

cfg_bin_main_t *cfg_wave_conv_t::create_reader(const std::string &name)
{
    m_file_type = file_type_from_ext(name);
    if (m_file_type == WAVE_FILE_DAT)
        m_reader = std::make_unique<cfg_dat_main_t>();
    else
        m_reader = std::make_unique<cfg_csv_main_t>();
    return m_reader.get();
}

int cfg_wave_conv_t::convert(int, const std::string &in_path, const std::string &out_dir)
{
    if (!m_reader || (m_file_type != WAVE_FILE_CSV && m_file_type != WAVE_FILE_DAT)) {
        qDebug() << "Not support outside file!";
        return WAVE_E_UNSUPPORTED;
    }
    return m_reader->convert_file(in_path, out_dir);
}

cfg_bin_main_t *cfg_wave_conv_t::get_reader() const
{
    return m_reader.get();
}

int cfg_wave_conv_t::get_file_type() const
{
    return m_file_type;
}
