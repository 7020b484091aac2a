<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ko" sourcelanguage="en">
<context>
    <name>IdPicker</name>
    <message>
        <source>Scanning...</source>
        <translation>검색 중...</translation>
    </message>
    <message>
        <source>Disconnect</source>
        <translation>연결 해제</translation>
    </message>
    <message>
        <source>Connect</source>
        <translation>연결</translation>
    </message>
    <message>
        <source>Setting</source>
        <translation>설정</translation>
    </message>
    <message>
        <source>Setting : Slave %1</source>
        <translation>설정 : 슬레이브 %1</translation>
    </message>
    <message>
        <source>No port is selected.</source>
        <translation>선택된 포트가 없습니다.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a port.</source>
        <translation>&quot;%1&quot;은(는) 포트가 아닙니다.</translation>
    </message>
    <message>
        <source>The baud rate is not a number.</source>
        <translation>통신 속도가 숫자가 아닙니다.</translation>
    </message>
    <message>
        <source>connection failed.</source>
        <translation>연결에 실패했습니다.</translation>
    </message>
    <message>
        <source>No slaves are detected.</source>
        <translation>검색된 슬레이브가 없습니다.</translation>
    </message>
    <message>
        <source>Do you want to change &apos;Slave No&apos; from %1 to %2?</source>
        <translation>슬레이브 번호를 %1에서 %2(으)로 변경하시겠습니까?</translation>
    </message>
    <message>
        <source>ID Update</source>
        <translation>ID 변경</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>오류</translation>
    </message>
    <message>
        <source>Failed to execute command.
Return code : %1</source>
        <translation>명령을 실행하지 못했습니다.
반환 코드 : %1</translation>
    </message>
    <message>
        <source>Finished to update.</source>
        <translation>변경을 완료했습니다.</translation>
    </message>
</context>
<context>
    <name>ToolUi</name>
    <message>
        <source>Error</source>
        <translation>오류</translation>
    </message>
    <message>
        <source>Unexpected failure: %1</source>
        <translation>예기치 않은 오류: %1</translation>
    </message>
</context>
<context>
    <name>tarsel::idpicker::IdPickerDialog</name>
    <message>
        <source>COM Port</source>
        <translation>COM 포트</translation>
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
        <source>Target</source>
        <translation>대상</translation>
    </message>
    <message>
        <source>Slave %1</source>
        <translation>슬레이브 %1</translation>
    </message>
    <message>
        <source>Write</source>
        <translation>쓰기</translation>
    </message>
    <message>
        <source>New Slave No. :</source>
        <translation>새 슬레이브 번호 :</translation>
    </message>
</context>
</TS>
