// One identified instrument: the fields of its "*IDN?" reply, its VISA
// resource string and the model family the reply's model belongs to.
#ifndef WATTLEX_DRV_DEVICE_INFO_T_H
#define WATTLEX_DRV_DEVICE_INFO_T_H

#include <string>

class drv_device_info_t
{
public:
    // Families of accepted models; anything else is rejected.
    enum { FAMILY_X = 0, FAMILY_E = 1, FAMILY_C = 2, FAMILY_REJECTED = 3 };

    int family = FAMILY_REJECTED;
    std::string resource;
    std::string maker;
    std::string model;
    std::string serial;
    std::string firmware;
    std::string hardware;

    // Fills the record from an "*IDN?" reply ("maker,model,serial,fw,hw"
    // with its line end). True when the model is accepted.
    bool parse_idn(const std::string &reply);
    bool accepted() const { return family != FAMILY_REJECTED; }

    // Family of a model name: "WLX1" + three digits + "X" is 0, with "-E" 1,
    // with "-C" 2, anything else 3.
    static int model_family(const std::string &model);
};

#endif
