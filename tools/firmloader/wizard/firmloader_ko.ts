<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ko_KR">
<context>
    <name>CAboutDlg</name>
    <message>
        <location filename="about_dialog.cpp" line="12"/>
        <source>About firmloader</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="about_dialog.cpp" line="15"/>
        <source>Supported drives (firmware V06 or later):</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="about_dialog.cpp" line="16"/>
        <source>  Tarsel Tevra servo drives: V06</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="about_dialog.cpp" line="17"/>
        <source>  Tarsel Tevra stepper drives: V06</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CMainFrame</name>
    <message>
        <location filename="main_frame.cpp" line="32"/>
        <source>&amp;Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="main_frame.cpp" line="33"/>
        <source>&amp;About firmloader...</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CViewConnect</name>
    <message>
        <location filename="view_connect.cpp" line="33"/>
        <source>Connect</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="view_connect.cpp" line="39"/>
        <source>Open COMM</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="view_connect.cpp" line="41"/>
        <source>Port No. :</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="view_connect.cpp" line="42"/>
        <source>Baudrate :</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="view_connect.cpp" line="43"/>
        <source>Slave No.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="view_connect.cpp" line="111"/>
        <source>Please insert slave number</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="view_connect.cpp" line="116"/>
        <source>Failed to open port.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="view_connect.cpp" line="123"/>
        <source>Incorrect slave number.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="view_connect.cpp" line="129"/>
        <source>The drive does NOT support firmloader.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CViewFinal</name>
    <message>
        <location filename="view_final.cpp" line="11"/>
        <source>Again</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="view_final.cpp" line="11"/>
        <source>Exit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="view_final.cpp" line="12"/>
        <source>Updating ROM is finished.

If you want to update another drive, press &apos;Again&apos;.
</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CViewSelectFile</name>
    <message>
        <location filename="view_select_file.cpp" line="25"/>
        <source>&lt; Prev</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="view_select_file.cpp" line="26"/>
        <source>Next &gt;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="view_select_file.cpp" line="27"/>
        <source>Driver Information</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="view_select_file.cpp" line="32"/>
        <source>ROM files</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="view_select_file.cpp" line="34"/>
        <source>Select one of the ROM files (*.i00, *.i01, *.i10, *.i11) :</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="view_select_file.cpp" line="69"/>
        <source>Version : </source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CViewUpdateROM</name>
    <message>
        <location filename="view_update_rom.cpp" line="32"/>
        <source>Warning :

* It&apos;s updating ROM. So, do NOT turn OFF the power or disconnect cable.
* If you turn off or disconnect cable, It may not be connected.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="view_update_rom.cpp" line="34"/>
        <source>&lt; Prev</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="view_update_rom.cpp" line="35"/>
        <location filename="view_update_rom.cpp" line="84"/>
        <source>Next &gt;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="view_update_rom.cpp" line="40"/>
        <source>Progress</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="view_update_rom.cpp" line="153"/>
        <source>

Please check the Power or Communication cable.
Do you want to retry firmloader?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="view_update_rom.cpp" line="162"/>
        <source>Exit</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Procedure</name>
    <message>
        <location filename="wizard_texts.cpp" line="12"/>
        <source>Checking ROM type was failed.

	Return Code : %d[0x%02X]</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="wizard_texts.cpp" line="13"/>
        <source>Failed to change to Boot ROM.
It&apos;s Run ROM connected.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="wizard_texts.cpp" line="14"/>
        <source>Failed to connect to driver. There was no response.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="wizard_texts.cpp" line="15"/>
        <source>Failed to erase ROM.

	Return Code : %d[0x%02X]</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="wizard_texts.cpp" line="16"/>
        <source>Failed to erase ROM. There was no response.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="wizard_texts.cpp" line="17"/>
        <source>Failed to erase ROM. ROM was not erased.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="wizard_texts.cpp" line="18"/>
        <source>An error occured while writing data to flash.

	Return Code : %d[0x%02X]</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="wizard_texts.cpp" line="19"/>
        <source>Power OFF and ON again to reboot.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="wizard_texts.cpp" line="20"/>
        <source>Failed to connect Run ROM.
It&apos;s Boot ROM connected.

Power OFF and ON again to reboot.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="wizard_texts.cpp" line="22"/>
        <source>Check Type</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="wizard_texts.cpp" line="23"/>
        <source>Boot ROM</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="wizard_texts.cpp" line="24"/>
        <source>Erase</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="wizard_texts.cpp" line="25"/>
        <source>Update ROM</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="wizard_texts.cpp" line="26"/>
        <source>Reboot</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <location filename="wizard_environment.cpp" line="9"/>
        <location filename="wizard_environment.cpp" line="13"/>
        <source>Error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="wizard_environment.cpp" line="18"/>
        <source>Notice</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="wizard_environment.cpp" line="24"/>
        <source>ROM Files (*.i00;i01;i10;i11)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="wizard_environment.cpp" line="25"/>
        <source>All Files (*.*)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
