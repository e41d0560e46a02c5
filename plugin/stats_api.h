/*
 * The exported entry points of the MORVANTIA scoring plug-in. Their argument types, the host's
 * date-time object and the pointer types through which host programs (the
 * test hosts, morvantia-score) resolve the entry points by name at run time
 * are in contract/host_types.h; the plug-in itself defines the functions.
 */
#ifndef MORVANTIA_STATS_API_H
#define MORVANTIA_STATS_API_H

#include "contract/host_types.h"

#if defined(MORVANTIA_BUILDING_PLUGIN)
#if defined(_WIN32)
/* Exports come from the module-definition file, which also adds the
   decorated aliases. */
#define STATS_EXPORT
#else
#define STATS_EXPORT __attribute__((visibility("default")))
#endif
#else
#define STATS_EXPORT
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* The entry points. */
STATS_EXPORT unsigned int STATS_CDECL setVersion(char *version);
STATS_EXPORT int STATS_CDECL GetNumberOfSets(void);
STATS_EXPORT char *STATS_CDECL GetSetName(int index);
STATS_EXPORT void STATS_CDECL SetupSet0(void);
STATS_EXPORT int STATS_CDECL ResetStats0(
    char *hostFolder, int reportRequest, char *ownCall,
    HostDateTime *contestStart, HostDateTime *contestEnd, char *t6, char *t7,
    char *t8, char *t9, char *t10, char *t11, char *t12, char *t13, char *t14,
    char *ownPrefix, int i16, int i17, int i18, double d19, double d20,
    char *t21, char *t22, char *t23);
STATS_EXPORT int STATS_CDECL AddData0(
    char *ownCall, char *call, HostDateTime *qsoTime, HostDateTime *dt4,
    HostDateTime *dt5, HostDateTime *dt6, unsigned int u7,
    unsigned int frequencyHz, char *mode, char *rstSent, char *rstReceived,
    char *exchSent, char *exchReceived, char *t14, char *t15, char *t16,
    char *t17, char *t18, char *t19, char *t20, char *t21, char *t22,
    char *countryPrefix, int i24, int i25, int i26, double d27, double d28,
    char *t29, char *t30, char *t31, char *band, char *t33);
STATS_EXPORT int STATS_CDECL RemoveData0(
    char *ownCall, char *call, HostDateTime *qsoTime, HostDateTime *dt4,
    HostDateTime *dt5, HostDateTime *dt6, unsigned int u7,
    unsigned int frequencyHz, char *mode, char *rstSent, char *rstReceived,
    char *exchSent, char *exchReceived, char *t14, char *t15, char *t16,
    char *t17, char *t18, char *t19, char *t20, char *t21, char *t22,
    char *countryPrefix, int i24, int i25, int i26, double d27, double d28,
    char *t29, char *t30, char *t31, char *band, char *t33);
STATS_EXPORT char *STATS_CDECL GetResult0(int *score);
STATS_EXPORT int STATS_CDECL CheckCall0(
    char *call, unsigned int u2, unsigned int u3, char *mode, char *t5,
    char *t6, char *t7, char *t8, char *t9, char *t10, char *t11, char *t12,
    char *t13, char *t14, int i15, int i16, int i17, double d18, double d19,
    char *t20, char *t21, char *t22, char *t23, char *county, char *band,
    char *secondBand, char *writable27, char *writable28);
STATS_EXPORT int STATS_CDECL GetExchgCount0(char *t1, char *t2, char *t3);
STATS_EXPORT int STATS_CDECL IsValidExchg0(char *field, char *t2, char *t3,
                                           char *t4, int i5, int i6,
                                           int fieldIndex);

#ifdef __cplusplus
}
#endif

#endif
