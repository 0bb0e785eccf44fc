#pragma once

class IFrameRegistry;

// The phone commands in the main frame: reading and writing the phone on the cable, codeplug
// recovery and the phone reset.
class CPhoneFeature
{
public:
    static void Register(IFrameRegistry& frame);
};
