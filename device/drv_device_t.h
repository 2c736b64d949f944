// Device facade: finds VISA resources and identifies the loads among them.
#ifndef WATTLEX_DRV_DEVICE_T_H
#define WATTLEX_DRV_DEVICE_T_H

#include "drv_device_comm_t.h"
#include "drv_device_info_t.h"

#include <map>
#include <string>
#include <vector>

class visa_abort_t;

class drv_device_t : public drv_device_comm_t
{
public:
    // A facade that shares the process-wide instance's resource manager and
    // starts from its search state.
    drv_device_t();
    ~drv_device_t() override;

    // The process-wide facade; it owns the resource manager every facade uses.
    static drv_device_t &instance();

    // Asks "*IDN?" of every resource named by a key of the map, in key order.
    // Each accepted load is appended to records and its map value set to
    // true; other values stay as they are. Returns the number of records.
    int identify_devices(std::vector<drv_device_info_t> &records, std::map<std::string, bool> &resources);

    // Identifies one resource, unless the shared session is open on it: that
    // load was identified when it was connected and counts as accepted
    // without being opened a second time. True for an accepted load. The
    // identification's calls answer to `cut` (when given), which a
    // connection that wants to open meanwhile aborts too.
    bool identify_unless_in_use(const std::string &resource, visa_abort_t *cut = nullptr);

    // Appends the name of every VISA resource, in the order found. Returns
    // 1 when done, 101 when the search fails (names is then unchanged).
    int find_resources(std::vector<std::string> &names);

    enum { FIND_DONE = 1, FIND_FAILED = 101 };

private:
    struct instance_tag {};
    explicit drv_device_t(instance_tag);
};

#endif
