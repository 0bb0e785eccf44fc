#pragma once

// Message kinds and answers of the shared-services component, with the numbers callers test.
enum VELMORA_MSG_TYPE
{
    VMT_ERROR = 1,       // error, OK only
    VMT_NOTICE = 2,      // notice, OK only
    VMT_YESNO = 3,       // question answered IDYES or IDNO
    VMT_YESNOCANCEL = 5, // question answered IDYES, IDNO or IDCANCEL
};

enum VELMORA_ANSWER
{
    IDOK = 1,
    IDCANCEL = 2,
    IDYES = 6,
    IDNO = 7,
};

// Program-side phone error codes (-262 to -203) handed to HandleVelmoraError.
using VELMORA_RET_CODE = int;

// Result codes of the programming library handed to HandleAgentAPIErrors.
using AGENT_RET_CODE = int;
