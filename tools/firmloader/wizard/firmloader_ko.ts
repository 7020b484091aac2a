<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ko" sourcelanguage="en">
<context>
    <name>ImageCheck</name>
    <message>
        <source>%1 is a folder, not an image file.</source>
        <translation>%1 은(는) 이미지 파일이 아니라 폴더입니다.</translation>
    </message>
    <message>
        <source>Cannot read %1.</source>
        <translation>%1 을(를) 읽을 수 없습니다.</translation>
    </message>
    <message>
        <source>%1: record %2 (line %3) is cut short: the file ends inside the record.</source>
        <translation>%1: 레코드 %2 (줄 %3) 가 잘려 있습니다: 레코드 도중에 파일이 끝납니다.</translation>
    </message>
    <message>
        <source>%1: record %2 (line %3) holds %4 data bytes; a data record may hold at most 64.</source>
        <translation>%1: 레코드 %2 (줄 %3) 에 데이터가 %4 바이트 있습니다. 데이터 레코드는 최대 64 바이트까지 담을 수 있습니다.</translation>
    </message>
    <message>
        <source>%1: record %2 (line %3) is an extended address record with %4 data bytes instead of 2.</source>
        <translation>%1: 레코드 %2 (줄 %3) 는 확장 주소 레코드인데 데이터가 2 바이트가 아니라 %4 바이트입니다.</translation>
    </message>
    <message>
        <source>%1 has no record to pair with %2: record %3 (line %4).</source>
        <translation>%1 에 %2: 레코드 %3 (줄 %4) 와 짝을 이룰 레코드가 없습니다.</translation>
    </message>
    <message>
        <source>%1: record %2 (line %3) has no record to pair with in %4.</source>
        <translation>%1: 레코드 %2 (줄 %3) 와 짝을 이룰 레코드가 %4 에 없습니다.</translation>
    </message>
    <message>
        <source>%1: record %2 (line %3) does not correspond to %4: record %5 (line %6) (count, address, type or extended address differ).</source>
        <translation>%1: 레코드 %2 (줄 %3) 가 %4: 레코드 %5 (줄 %6) 와 일치하지 않습니다 (개수, 주소, 종류 또는 확장 주소가 다릅니다).</translation>
    </message>
    <message>
        <source>The image files hold no data records.</source>
        <translation>이미지 파일에 데이터 레코드가 없습니다.</translation>
    </message>
    <message>
        <source>The data records of the image files hold no words.</source>
        <translation>이미지 파일의 데이터 레코드에 워드가 없습니다.</translation>
    </message>
    <message>
        <source>%1 is not a regular file (a FIFO or a device, for instance).</source>
        <translation>%1 은(는) 일반 파일이 아닙니다 (예: FIFO 또는 장치).</translation>
    </message>
    <message>
        <source>%1 is larger than %2 MiB.</source>
        <translation>%1 은(는) %2 MiB 보다 큽니다.</translation>
    </message>
    <message>
        <source>%1: record %2 (line %3) writes the words 0x%4-0x%5, beyond the 32-bit addresses a write frame can carry.</source>
        <translation>%1: 레코드 %2 (줄 %3) 는 워드 0x%4-0x%5 를 씁니다. 쓰기 프레임이 나를 수 있는 32비트 주소를 넘습니다.</translation>
    </message>
    <message>
        <source>%1 has %2 type 02 address records (the first: record %3, line %4).  They are read like type 04 records, so the data after the first one is written from address 0x%5, not from 0x%6 as the HEX format means it.  Make the images with type 04 records.</source>
        <translation>%1 에 종류 02 주소 레코드가 %2 개 있습니다 (첫 번째: 레코드 %3, 줄 %4).  이 레코드는 종류 04 레코드처럼 읽히므로, 첫 번째 레코드 뒤의 데이터는 HEX 형식이 뜻하는 0x%6 이 아니라 주소 0x%5 부터 기록됩니다.  종류 04 레코드로 이미지를 만드십시오.</translation>
    </message>
</context>
<context>
    <name>Procedure</name>
    <message>
        <source>Checking ROM type was failed.

	Return Code : %d[0x%02X]</source>
        <translation>ROM 종류를 확인하지 못했습니다.

	반환 코드 : %d[0x%02X]</translation>
    </message>
    <message>
        <source>Failed to change to Boot ROM.
It&apos;s Run ROM connected.</source>
        <translation>부트 ROM으로 전환하지 못했습니다.
실행 ROM이 연결되어 있습니다.</translation>
    </message>
    <message>
        <source>Failed to connect to driver. There was no response.</source>
        <translation>드라이브에 연결하지 못했습니다. 응답이 없습니다.</translation>
    </message>
    <message>
        <source>Failed to erase ROM.

	Return Code : %d[0x%02X]</source>
        <translation>ROM을 지우지 못했습니다.

	반환 코드 : %d[0x%02X]</translation>
    </message>
    <message>
        <source>Failed to erase ROM. There was no response.</source>
        <translation>ROM을 지우지 못했습니다. 응답이 없습니다.</translation>
    </message>
    <message>
        <source>Failed to erase ROM. ROM was not erased.</source>
        <translation>ROM을 지우지 못했습니다. ROM이 지워지지 않았습니다.</translation>
    </message>
    <message>
        <source>An error occured while writing data to flash.

	Return Code : %d[0x%02X]</source>
        <translation>플래시에 데이터를 쓰는 중 오류가 발생했습니다.

	반환 코드 : %d[0x%02X]</translation>
    </message>
    <message>
        <source>Power OFF and ON again to reboot.</source>
        <translation>전원을 껐다가 다시 켜서 재부팅하십시오.</translation>
    </message>
    <message>
        <source>Failed to connect Run ROM.
It&apos;s Boot ROM connected.

Power OFF and ON again to reboot.</source>
        <translation>실행 ROM에 연결하지 못했습니다.
부트 ROM이 연결되어 있습니다.

전원을 껐다가 다시 켜서 재부팅하십시오.</translation>
    </message>
    <message>
        <source>Check Type</source>
        <translation>종류 확인</translation>
    </message>
    <message>
        <source>Boot ROM</source>
        <translation>부트 ROM</translation>
    </message>
    <message>
        <source>Erase</source>
        <translation>지우기</translation>
    </message>
    <message>
        <source>Update ROM</source>
        <translation>ROM 갱신</translation>
    </message>
    <message>
        <source>Reboot</source>
        <translation>재부팅</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>Error</source>
        <translation>오류</translation>
    </message>
    <message>
        <source>Notice</source>
        <translation>알림</translation>
    </message>
    <message>
        <source>ROM Files</source>
        <translation>ROM 파일</translation>
    </message>
    <message>
        <source>All Files</source>
        <translation>모든 파일</translation>
    </message>
</context>
<context>
    <name>ToolUi</name>
    <message>
        <source>Unexpected failure: %1</source>
        <translation>예기치 않은 오류: %1</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>오류</translation>
    </message>
</context>
<context>
    <name>tarsel::firmware::CAboutDlg</name>
    <message>
        <source>About firmloader</source>
        <translation>firmloader 정보</translation>
    </message>
    <message>
        <source>Supported drives (firmware V06 or later):</source>
        <translation>지원 드라이브 (펌웨어 V06 이상):</translation>
    </message>
    <message>
        <source>  Tarsel Tevra servo drives: V06</source>
        <translation>  Tarsel Tevra 서보 드라이브: V06</translation>
    </message>
    <message>
        <source>  Tarsel Tevra stepper drives: V06</source>
        <translation>  Tarsel Tevra 스테핑 드라이브: V06</translation>
    </message>
</context>
<context>
    <name>tarsel::firmware::CMainFrame</name>
    <message>
        <source>&amp;Help</source>
        <translation>도움말(&amp;H)</translation>
    </message>
    <message>
        <source>&amp;About firmloader...</source>
        <translation>firmloader 정보(&amp;A)...</translation>
    </message>
</context>
<context>
    <name>tarsel::firmware::CViewConnect</name>
    <message>
        <source>Connect</source>
        <translation>연결</translation>
    </message>
    <message>
        <source>Open COMM</source>
        <translation>통신 포트 열기</translation>
    </message>
    <message>
        <source>Port No. :</source>
        <translation>포트 번호 :</translation>
    </message>
    <message>
        <source>Baudrate :</source>
        <translation>통신 속도 :</translation>
    </message>
    <message>
        <source>Slave No.</source>
        <translation>슬레이브 번호</translation>
    </message>
    <message>
        <source>Please insert slave number</source>
        <translation>슬레이브 번호를 입력하십시오</translation>
    </message>
    <message>
        <source>Failed to open port.</source>
        <translation>포트를 열지 못했습니다.</translation>
    </message>
    <message>
        <source>Incorrect slave number.</source>
        <translation>슬레이브 번호가 올바르지 않습니다.</translation>
    </message>
    <message>
        <source>The drive does NOT support firmloader.</source>
        <translation>이 드라이브는 firmloader를 지원하지 않습니다.</translation>
    </message>
</context>
<context>
    <name>tarsel::firmware::CViewFinal</name>
    <message>
        <source>Again</source>
        <translation>다시</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>종료</translation>
    </message>
    <message>
        <source>Updating ROM is finished.

If you want to update another drive, press &apos;Again&apos;.
</source>
        <translation>ROM 갱신이 끝났습니다.

다른 드라이브를 갱신하려면 &apos;다시&apos;를 누르십시오.
</translation>
    </message>
</context>
<context>
    <name>tarsel::firmware::CViewSelectFile</name>
    <message>
        <source>&lt; Prev</source>
        <translation>&lt; 이전</translation>
    </message>
    <message>
        <source>Next &gt;</source>
        <translation>다음 &gt;</translation>
    </message>
    <message>
        <source>Driver Information</source>
        <translation>드라이브 정보</translation>
    </message>
    <message>
        <source>ROM files</source>
        <translation>ROM 파일</translation>
    </message>
    <message>
        <source>Select one of the ROM files (*.i00, *.i01, *.i10, *.i11) :</source>
        <translation>ROM 파일 중 하나를 선택하십시오 (*.i00, *.i01, *.i10, *.i11) :</translation>
    </message>
    <message>
        <source>Version : </source>
        <translation>버전 : </translation>
    </message>
    <message>
        <source>Missing image file %1</source>
        <translation>이미지 파일 %1 이(가) 없습니다</translation>
    </message>
</context>
<context>
    <name>tarsel::firmware::CViewUpdateROM</name>
    <message>
        <source>Warning :

* It&apos;s updating ROM. So, do NOT turn OFF the power or disconnect cable.
* If you turn off or disconnect cable, It may not be connected.</source>
        <translation>경고 :

* ROM을 갱신하고 있습니다. 전원을 끄거나 케이블을 분리하지 마십시오.
* 전원을 끄거나 케이블을 분리하면 다시 연결되지 않을 수 있습니다.</translation>
    </message>
    <message>
        <source>&lt; Prev</source>
        <translation>&lt; 이전</translation>
    </message>
    <message>
        <source>Next &gt;</source>
        <translation>다음 &gt;</translation>
    </message>
    <message>
        <source>Progress</source>
        <translation>진행 상황</translation>
    </message>
    <message>
        <source>

Please check the Power or Communication cable.
Do you want to retry firmloader?</source>
        <translation>

전원 또는 통신 케이블을 확인하십시오.
firmloader를 다시 시도하시겠습니까?</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>종료</translation>
    </message>
</context>
</TS>
