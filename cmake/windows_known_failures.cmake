# Test cases that fail in the Windows build under Wine, the first time its window, documents and
# start-up tests ran there. Each is a fault still to find and fix; until then the Windows run
# leaves them out, so that the rest of each program is held to what it passes. Grouped by cause:
#   - the reading PDF, the box copy and the export progress find no font for Chinese on Qt's
#     offscreen platform under Wine (QT_QPA_FONTDIR names Debian's LXGW WenKai);
#   - the RTF reader and the code pages: Qt for Windows, built without ICU, decodes no code page
#     but the system's (1251, 1252 and the fonts' charsets come out wrong);
#   - messages and captions name paths the Windows way (C:\...\a.txt), where the tests look for
#     the form Qt gives (C:/.../a.txt); the dialogs start in c:\ on Windows by design;
#   - the box's font measures under Wine (a half-width character is not half a Chinese one).
set(windows_known_failures_documents_tests
    TextExport.WritesThePagesOfTheWholeExport
    TextExport.AFailingSinkStopsTheExportWithItsFailure
    PdfWriter.StatesItsPaperAndFillsWholePairsPerPage
    ExportProgress.EveryFormatTellsItsProgressAsItWritesAndWritesTheSameBytes
    RtfReader.CodePagesOfDocumentAndFonts
    RtfFixture.LibreOfficeChinese
    CodePages.DecodesTheCommonCodePages
    DocumentFiles.ATextTooLongForTheBoxIsRefusedAndTheDocumentKept
    DocumentFiles.FailedExportSaysWhyAndLeavesWhatWasThere
    DocumentFiles.AStopWhileAnExportWritesEndsItThereAndLeavesTheFileAlone
    DocumentFontLayout.EveryHalfWidthCharacterIsHalfAChineseCharacter
    DocumentFontLayout.KeepsEverySyllableOfTheAnnotationAboveItsCharacter)
set(windows_known_failures_startup_tests
    StartupArguments.AFileIsOpenedByItsAbsolutePath
    SplashWithDocument.OpensTheFileInTheDocumentBoxWithItsPathAsCaption
    SplashWithDocument.AFileThatCannotBeReadIsReportedAsTheImportReportsIt
    FailedStart.ReportsTheMissingDictionaryAndNeverOpensTheMainWindow)
set(windows_known_failures_shell_tests
    LongCommands.AFailedImportKeepsTheDocumentAndSaysWhy
    MainWindow.TheDocumentBoxShowsTheDocumentFontWithoutWrapping
    LayoutPaths.PagesAndWebPagesAskForTheLayoutWhichTheSettingsKeep
    LayoutPaths.PrintsReadingMaterialToAPdfFileWhateverLayoutTheExportKeeps
    DocumentCommands.ImportsRtfWithItsFormattingAndShowsThePath
    DocumentCommands.APathThatCannotBeOpenedKeepsTheDocumentItsCaptionAndSaysWhy
    DocumentCommands.ExportsPrintedPagesWebPagesAndWordDocumentsByTheNameChosen
    DocumentCommands.BothDialogsOpenWhereAFileWasLastChosen
    ReadingOptions.WithoutAUsableWordTableCharactersAreReadAloneAndTheUserToldOnce)
set(windows_known_failures_annotate_rtf_tests
    AnnotateRtf.WritesWhatTheWindowExportsAfterAnnotating
    AnnotateRtf.WritesPlainTextAsTheWindowExportsItsAnnotation)
