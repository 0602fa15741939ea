#pragma once

/* The driver files export their C interface and nothing else. */
#if defined(__GNUC__)
#define SBX_EXPORT __attribute__((visibility("default")))
#else
#define SBX_EXPORT
#endif

#ifdef __cplusplus
#define SBX_EXTERN_C extern "C"
#else
#define SBX_EXTERN_C
#endif
