#pragma once

// Observer of one half of the scheme (the rhythm or the pitch scheme).
class TSchemeListener {
public:
    virtual ~TSchemeListener() = default;
    // The content changed: reload the display from the scheme.
    virtual void schemeChanged() = 0;
    // The scheme was taken from a dropped motive: bring the mode indicator in line.
    virtual void schemeModeChanged() = 0;
};
