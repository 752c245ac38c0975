// IC instance list.
#include "files/ic_instances.h"

namespace kardo {

std::vector<ICInstanceRecord> gICInstances(1);
std::int16_t gAnzICInstances = 0;
std::int16_t gICInstanceMax = 0;

void ResetICInstances() {
    gICInstances.assign(1, ICInstanceRecord{});
    gAnzICInstances = 0;
    gICInstanceMax = 0;
}

} // namespace kardo
