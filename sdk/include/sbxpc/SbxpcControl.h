#pragma once

/* sbxpc.ocx: the terminal control. A host creates an instance of the class
 * and calls it by dispatch id through one entry point, with its arguments as
 * tagged values, as COM automation does.
 *
 * A host checks SbxpcInterfaceVersion() before anything else. */

#include "sdk/include/sbxpc/SdkExport.h"

#include <stdint.h>

#define SBXPC_INTERFACE_VERSION 1u
#define SBXPC_CLASS_ID "{2894E36D-6941-48E0-ABF9-0D38241884FB}"
#define SBXPC_ENROLMENT_WORDS 354

/* Dispatch ids of the methods and properties. */
enum sbxpc_dispid {
    SBXPC_READ_ENROLMENT = 6,
    SBXPC_READ_ENROLMENT_RAW = 7,
    SBXPC_WRITE_ENROLMENT = 8,
    SBXPC_WRITE_ENROLMENT_RAW = 9,
    SBXPC_DELETE_ENROLMENT = 10,
    SBXPC_BEGIN_LOG_READ = 13,
    SBXPC_NEXT_LOG_RECORD = 14,
    SBXPC_GET_STATUS_VALUE = 19,
    SBXPC_SET_DEVICE_ENABLED = 22,
    SBXPC_GET_DEVICE_CLOCK = 24,
    SBXPC_SET_DEVICE_CLOCK = 25,
    SBXPC_SET_USER_PRIVILEGE = 28,
    SBXPC_BEGIN_USER_READ = 29,
    SBXPC_NEXT_USER_RECORD = 30,
    SBXPC_CLEAR_LOGS = 36,
    SBXPC_OPEN_SERIAL_LINK = 50,
    SBXPC_OPEN_TCP_LINK = 51,
    SBXPC_CLOSE_LINK = 52,
    SBXPC_PROPERTY_READ_MARK = 3,
    /* Ours: ends the link without confirming the records it delivered. */
    SBXPC_DROP_LINK = 1001,
    /* Ours, a property to read: true when the last log read ended because
     * the terminal said its log was at an end, false when it ended because
     * the link broke or the terminal stopped answering. */
    SBXPC_PROPERTY_LOG_READ_COMPLETE = 1002,
    /* Ours: ConfirmLogRead(machine, first, count) counts the records from
     * log position `first` on as delivered, on a link of its own; doing so
     * twice does no harm. Answers true when the terminal acknowledged. */
    SBXPC_CONFIRM_LOG_READ = 1003,
    /* Ours, integer properties to read: where the link's last log read began
     * in the terminal's log, and how many records it handed out. */
    SBXPC_PROPERTY_LOG_READ_START = 1004,
    SBXPC_PROPERTY_LOG_READ_COUNT = 1005
};

enum sbxpc_call { SBXPC_METHOD = 1, SBXPC_PROPERTY_GET = 2, SBXPC_PROPERTY_PUT = 4 };

enum sbxpc_tag {
    SBXPC_EMPTY = 0,
    SBXPC_I4 = 1,             /* v.i4 */
    SBXPC_BOOL = 2,           /* v.boolean: 0 false, -1 true (any non-zero is taken as true) */
    SBXPC_WSTR = 3,           /* v.wstr, count UTF-16 units */
    SBXPC_I4_REF = 4,         /* v.i4_ref */
    SBXPC_ENROLMENT_REF = 5   /* v.enrolment, count must be SBXPC_ENROLMENT_WORDS */
};

typedef struct sbxpc_arg {
    int32_t tag;
    int32_t count;
    union {
        int32_t i4;
        int32_t boolean;
        const uint16_t* wstr;
        int32_t* i4_ref;
        int32_t* enrolment;
    } v;
} sbxpc_arg;

enum sbxpc_status {
    SBXPC_OK = 0,
    SBXPC_E_MEMBER = -1,      /* no such dispatch id, or not callable that way */
    SBXPC_E_PARAMCOUNT = -2,  /* wrong number of arguments */
    SBXPC_E_TYPE = -3,        /* an argument of the wrong tag or size */
    SBXPC_E_INSTANCE = -4     /* no instance */
};

SBX_EXTERN_C SBX_EXPORT uint32_t SbxpcInterfaceVersion(void);
/* NULL when class_id is not this control's class. */
SBX_EXTERN_C SBX_EXPORT void* SbxpcCreateInstance(const char* class_id);
SBX_EXTERN_C SBX_EXPORT void SbxpcDestroyInstance(void* instance);
/* Arguments in the order of the operation; methods answer in `result` with a
 * SBXPC_BOOL (DropLink with SBXPC_EMPTY). CloseLink answers true when the
 * terminal acknowledged the end of the link and the confirmation it carried. */
SBX_EXTERN_C SBX_EXPORT int32_t SbxpcInvoke(void* instance, int32_t dispid, int32_t call,
                                            sbxpc_arg* args, int32_t count, sbxpc_arg* result);

/* Record or remove the class in the per-user class registry, with the path
 * of this file. 0 on success. */
SBX_EXTERN_C SBX_EXPORT int32_t DllRegisterServer(void);
SBX_EXTERN_C SBX_EXPORT int32_t DllUnregisterServer(void);
