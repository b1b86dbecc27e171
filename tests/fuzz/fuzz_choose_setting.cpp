// A setting an administrator may fix, for any policy values and limits: a
// policy value counts only inside [min, max], the machine's before the user's,
// and otherwise the person's own value stays.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdlib>

#include "app/Settings.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    app::PolicyValues policy;
    if (in.ConsumeBool()) policy.machine = in.ConsumeIntegral<uint32_t>();
    if (in.ConsumeBool()) policy.user = in.ConsumeIntegral<uint32_t>();
    const auto own = in.ConsumeIntegral<int32_t>(), min = in.ConsumeIntegral<int32_t>(),
               max = in.ConsumeIntegral<int32_t>();
    const app::ChosenSetting c = app::ChooseSetting(policy, own, min, max);
    const auto counts = [&](std::optional<uint32_t> v) { return v && int64_t{*v} >= min && int64_t{*v} <= max; };
    const std::optional<uint32_t> chosen = counts(policy.machine) ? policy.machine : policy.user;
    if (c.byPolicy != counts(chosen)) std::abort();
    if (c.byPolicy ? (c.value < min || c.value > max || int64_t{c.value} != int64_t{*chosen}) : c.value != own)
        std::abort();
    return 0;
}
