#pragma once

namespace ole {

// What a property page may tell the frame that shows it.
class PropertyPageSite {
public:
    virtual ~PropertyPageSite() = default;
    // The page became dirty or clean.
    virtual void onStatusChange() = 0;
};

} // namespace ole
