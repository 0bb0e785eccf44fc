#pragma once

class IFrameRegistry;
class IFrameServices;

// The Copy Wizard in the main frame: command 1189 opens it over the main window.
class CCopyWizardFeature
{
public:
    static void Register(IFrameRegistry& frame);
    static void Run(IFrameServices& services);
};
