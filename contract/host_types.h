/*
 * The data the host and the plug-in exchange: the host's date-time object,
 * the calling convention and the signatures of the eleven entry points, with
 * every argument in order. Plain C, depending on nothing else of ours, so
 * every layer (date-time formatting, the plug-in, the programs that load it)
 * can share it.
 *
 * Texts are zero-terminated 8-bit strings owned by the caller. Texts returned
 * by the plug-in belong to it: the result of GetResult0 stays valid until the
 * next call of GetResult0, the set name is a constant.
 */
#ifndef MORVANTIA_CONTRACT_HOST_TYPES_H
#define MORVANTIA_CONTRACT_HOST_TYPES_H

#include <stddef.h>
#include <stdint.h>

#if defined(_WIN32) && !defined(_WIN64)
#define STATS_CDECL __cdecl
#else
#define STATS_CDECL
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* Status values of the host's date-time object. */
enum {
    HOST_DATETIME_VALID = 0,
    HOST_DATETIME_INVALID = 1,
    HOST_DATETIME_NULL = 2
};

/* The host's date-time object: days since 30 December 1899 (the fraction is
   the time of day, taken without sign for dates before the epoch) followed by
   a 32-bit status. 16 bytes on 32- and 64-bit Windows alike. */
typedef struct HostDateTime {
    double value;
    int32_t status;
    int32_t reserved; /* padding the host leaves undefined */
} HostDateTime;

#ifdef __cplusplus
static_assert(sizeof(HostDateTime) == 16, "host date-time is 16 bytes");
static_assert(offsetof(HostDateTime, value) == 0, "value comes first");
static_assert(offsetof(HostDateTime, status) == 8, "status follows the double");
#endif

/* Pointer types for hosts that resolve the entry points at run time.
   Argument comments give the position (from 1) of each argument the plug-in
   reads; every other argument is accepted and ignored. */

typedef unsigned int(STATS_CDECL *SetVersionFn)(char *version);
typedef int(STATS_CDECL *GetNumberOfSetsFn)(void);
typedef char *(STATS_CDECL *GetSetNameFn)(int index);
typedef void(STATS_CDECL *SetupSet0Fn)(void);

typedef int(STATS_CDECL *ResetStats0Fn)(
    char *hostFolder,            /* 1: folder searched for "*.ini" */
    int reportRequest,           /* 2: non-zero asks for the Cabrillo export */
    char *ownCall,               /* 3 */
    HostDateTime *contestStart,  /* 4 */
    HostDateTime *contestEnd,    /* 5 */
    char *t6, char *t7, char *t8, char *t9, char *t10, char *t11, char *t12,
    char *t13,
    char *t14,                   /* 14: stored only */
    char *ownPrefix,             /* 15 */
    int i16, int i17, int i18, double d19, double d20, char *t21, char *t22,
    char *t23);

typedef int(STATS_CDECL *QsoDataFn)(
    char *ownCall,               /* 1 */
    char *call,                  /* 2 */
    HostDateTime *qsoTime,       /* 3 */
    HostDateTime *dt4, HostDateTime *dt5, HostDateTime *dt6,
    unsigned int u7,
    unsigned int frequencyHz,    /* 8 */
    char *mode,                  /* 9 */
    char *rstSent,               /* 10 */
    char *rstReceived,           /* 11 */
    char *exchSent,              /* 12 */
    char *exchReceived,          /* 13 */
    char *t14, char *t15, char *t16, char *t17, char *t18, char *t19,
    char *t20, char *t21, char *t22,
    char *countryPrefix,         /* 23 */
    int i24, int i25, int i26, double d27, double d28, char *t29,
    char *t30,                   /* 30: stored only */
    char *t31,
    char *band,                  /* 32 */
    char *t33);
typedef QsoDataFn AddData0Fn;
typedef QsoDataFn RemoveData0Fn;

typedef char *(STATS_CDECL *GetResult0Fn)(int *score);

typedef int(STATS_CDECL *CheckCall0Fn)(
    char *call,                  /* 1 */
    unsigned int u2, unsigned int u3,
    char *mode,                  /* 4 */
    char *t5, char *t6, char *t7, char *t8, char *t9, char *t10, char *t11,
    char *t12, char *t13, char *t14,
    int i15, int i16, int i17, double d18, double d19,
    char *t20, char *t21, char *t22, char *t23,
    char *county,                /* 24 */
    char *band,                  /* 25 */
    char *secondBand,            /* 26 */
    char *writable27, char *writable28);

typedef int(STATS_CDECL *GetExchgCount0Fn)(char *t1, char *t2, char *t3);

typedef int(STATS_CDECL *IsValidExchg0Fn)(
    char *field,                 /* 1 */
    char *t2, char *t3, char *t4,
    int i5, int i6,
    int fieldIndex);             /* 7: 0 serial, 1 code */

#ifdef __cplusplus
}
#endif

#endif
