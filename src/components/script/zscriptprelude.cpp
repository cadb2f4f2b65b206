#include "zscriptprelude.h"

QStringList FilterGraphPrelude() {
  return {
      QStringLiteral("struct DSPin {"),
      QStringLiteral("  string name;"),
      QStringLiteral("  byte dir;"),
      QStringLiteral("} sDSPin"),
      QStringLiteral("struct DSFilter {"),
      QStringLiteral("  string name;"),
      QStringLiteral("  string guid;"),
      QStringLiteral("  int numpins;"),
      QStringLiteral("} sDSFilter"),
      QStringLiteral("native void AddFilterScanDir(string _Dir);"),
      QStringLiteral("native void RegisterFilter(string _Filter);"),
      QStringLiteral("native void AddFilter(string _Name);"),
      QStringLiteral("native void ConnectPins(string _Filter1, string _PinName1, string _Filter2, "
                     "string _PinName2);"),
      QStringLiteral("native void ConnectPinsAuto(string _Filter1, string _Filter2);"),
      QStringLiteral("native void Export(string _ExportName, string _FilterName);"),
      QStringLiteral("native void GetFilters();"),
      QStringLiteral("native int GetFilterCount();"),
      QStringLiteral("native DSFilter GetFilter(int _Index);"),
      QStringLiteral("native DSPin GetPin(int _FilterIndex, int _PinIndex);"),
      QStringLiteral("native int strcomp(string _S1, string _S2);"),
      QStringLiteral("native void SetTypeName(string _Name);"),
      QStringLiteral("native void AddFileType(string _FileType);"),
      QStringLiteral("native void AddFileName(string _FileName);"),
  };
}
