#pragma once
// The banner download and rotation thread (being built).
class CLoadBannerThread {
public:
    void Stop() {}
};
