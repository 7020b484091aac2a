<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ko_KR">
<context>
    <name>CMainFrame</name>
    <message>
        <source>BLDC Parameter List</source>
        <translation>BLDC 파라미터 목록</translation>
    </message>
    <message>
        <source>Estimate Inertia Ratio</source>
        <translation>관성비 추정</translation>
    </message>
    <message>
        <source>R&amp;&amp;L Estimate</source>
        <translation>R&amp;&amp;L 추정</translation>
    </message>
    <message>
        <source>Board List</source>
        <translation>보드 목록</translation>
    </message>
    <message>
        <source>Show the Board List windows.</source>
        <translation>보드 목록 창을 엽니다.</translation>
    </message>
    <message>
        <source>Show Board List</source>
        <translation>보드 목록 보기</translation>
    </message>
    <message>
        <source>Parameter List</source>
        <translation>파라미터 목록</translation>
    </message>
    <message>
        <source>Show the Parameter List window.</source>
        <translation>파라미터 목록 창을 엽니다.</translation>
    </message>
    <message>
        <source>Show Parameter List</source>
        <translation>파라미터 목록 보기</translation>
    </message>
    <message>
        <source>Axis Parameter</source>
        <translation>축 파라미터</translation>
    </message>
    <message>
        <source>Show the Axis Parameter window.</source>
        <translation>축 파라미터 창을 엽니다.</translation>
    </message>
    <message>
        <source>Show Axis Parameter</source>
        <translation>축 파라미터 보기</translation>
    </message>
    <message>
        <source>I/O Monitor</source>
        <translation>I/O 모니터</translation>
    </message>
    <message>
        <source>Show the I/O Monitor window.</source>
        <translation>I/O 모니터 창을 엽니다.</translation>
    </message>
    <message>
        <source>Show I/O Monitor</source>
        <translation>I/O 모니터 보기</translation>
    </message>
    <message>
        <source>I/O Setting</source>
        <translation>I/O 설정</translation>
    </message>
    <message>
        <source>Show the I/O Setting window.</source>
        <translation>I/O 설정 창을 엽니다.</translation>
    </message>
    <message>
        <source>Show I/O Setting</source>
        <translation>I/O 설정 보기</translation>
    </message>
    <message>
        <source>Motion Test</source>
        <translation>모션 테스트</translation>
    </message>
    <message>
        <source>Show the Motion Test window.</source>
        <translation>모션 테스트 창을 엽니다.</translation>
    </message>
    <message>
        <source>Show Motion Test</source>
        <translation>모션 테스트 보기</translation>
    </message>
    <message>
        <source>Position Table</source>
        <translation>포지션 테이블</translation>
    </message>
    <message>
        <source>Show the Position Table window.</source>
        <translation>포지션 테이블 창을 엽니다.</translation>
    </message>
    <message>
        <source>Show Position Table</source>
        <translation>포지션 테이블 보기</translation>
    </message>
    <message>
        <source>Tarsel Tevra GUI Program for Distributor</source>
        <translation>Tarsel Tevra GUI 프로그램 (대리점용)</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>파일(&amp;F)</translation>
    </message>
    <message>
        <source>&amp;Connect</source>
        <translation>연결(&amp;C)</translation>
    </message>
    <message>
        <source>Connect</source>
        <translation>연결</translation>
    </message>
    <message>
        <source>Connect or disconnect the serial port</source>
        <translation>시리얼 포트를 연결하거나 연결을 끊습니다</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>끝내기(&amp;X)</translation>
    </message>
    <message>
        <source>&amp;Tuning</source>
        <translation>튜닝(&amp;T)</translation>
    </message>
    <message>
        <source>&amp;Monitoring</source>
        <translation>모니터링(&amp;M)</translation>
    </message>
    <message>
        <source>Monitoring Data</source>
        <translation>모니터링 데이터</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>보기(&amp;V)</translation>
    </message>
    <message>
        <source>&amp;Toolbar</source>
        <translation>도구 모음(&amp;T)</translation>
    </message>
    <message>
        <source>&amp;Status Bar</source>
        <translation>상태 표시줄(&amp;S)</translation>
    </message>
    <message>
        <source>&amp;Command Bar</source>
        <translation>명령 표시줄(&amp;C)</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>도움말(&amp;H)</translation>
    </message>
    <message>
        <source>&amp;About Tevra GUI...</source>
        <translation>Tevra GUI 정보(&amp;A)...</translation>
    </message>
    <message>
        <source>Check for update</source>
        <translation>업데이트 확인</translation>
    </message>
    <message>
        <source>Toolbar</source>
        <translation>도구 모음</translation>
    </message>
    <message>
        <source>Ready</source>
        <translation>준비</translation>
    </message>
    <message>
        <source>Command Message</source>
        <translation>명령 메시지</translation>
    </message>
    <message>
        <source>Toggle CommandBar</source>
        <translation>명령 표시줄 전환</translation>
    </message>
    <message>
        <source>Show or hide the command bar</source>
        <translation>명령 표시줄을 보이거나 숨깁니다</translation>
    </message>
    <message>
        <source>BLDC Function</source>
        <translation>BLDC 기능</translation>
    </message>
    <message>
        <source>The specific function is only supported by Dorrin Tevra BLDC product.</source>
        <translation>이 기능은 Dorrin Tevra BLDC 제품에서만 지원됩니다.</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>오류</translation>
    </message>
    <message>
        <source>Serial communication was disconnected.</source>
        <translation>시리얼 통신이 끊어졌습니다.</translation>
    </message>
</context>
<context>
    <name>CViewAxisParam</name>
    <message>
        <source>Motor Direction</source>
        <translation>모터 방향</translation>
    </message>
    <message>
        <source>CW</source>
        <translation>CW</translation>
    </message>
    <message>
        <source>CCW</source>
        <translation>CCW</translation>
    </message>
    <message>
        <source>Origin Direction</source>
        <translation>원점 방향</translation>
    </message>
    <message>
        <source>H/W Limit Stop Mode</source>
        <translation>H/W 리밋 정지 방법</translation>
    </message>
    <message>
        <source>E-Stop</source>
        <translation>비상 정지</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>감속 정지</translation>
    </message>
    <message>
        <source>Run/Stop Signal Logic</source>
        <translation>Run/Stop 신호 논리</translation>
    </message>
    <message>
        <source>Low Active</source>
        <translation>Low 액티브</translation>
    </message>
    <message>
        <source>High Active</source>
        <translation>High 액티브</translation>
    </message>
    <message>
        <source>Encoder Direction</source>
        <translation>엔코더 방향</translation>
    </message>
    <message>
        <source>Pulse Type</source>
        <translation>펄스 방식</translation>
    </message>
    <message>
        <source>1 pulse</source>
        <translation>1 펄스</translation>
    </message>
    <message>
        <source>2 pulse</source>
        <translation>2 펄스</translation>
    </message>
    <message>
        <source>Origin Offset</source>
        <translation>원점 오프셋</translation>
    </message>
    <message>
        <source>Origin Position Set</source>
        <translation>원점 위치 설정</translation>
    </message>
    <message>
        <source>INP Value</source>
        <translation>INP 값</translation>
    </message>
    <message>
        <source>S/W +Limit Value</source>
        <translation>S/W +리밋 값</translation>
    </message>
    <message>
        <source>S/W -Limit Value</source>
        <translation>S/W -리밋 값</translation>
    </message>
    <message>
        <source>Pos Tracking Limit</source>
        <translation>위치 추종 한계</translation>
    </message>
    <message>
        <source>Max Speed Ratio</source>
        <translation>최대 속도 비율</translation>
    </message>
    <message>
        <source>Origin</source>
        <translation>원점</translation>
    </message>
    <message>
        <source>Inposition</source>
        <translation>인포지션</translation>
    </message>
    <message>
        <source>Speed Override</source>
        <translation>속도 오버라이드</translation>
    </message>
</context>
<context>
    <name>Frame</name>
    <message>
        <source>This window is not available yet.</source>
        <translation>이 창은 아직 제공되지 않습니다.</translation>
    </message>
    <message>
        <source>Board List</source>
        <translation>보드 목록</translation>
    </message>
    <message>
        <source>Parameter List</source>
        <translation>파라미터 목록</translation>
    </message>
    <message>
        <source>Axis Parameter</source>
        <translation>축 파라미터</translation>
    </message>
    <message>
        <source>Motion Test</source>
        <translation>모션 테스트</translation>
    </message>
    <message>
        <source>Repeat Test</source>
        <translation>반복 테스트</translation>
    </message>
    <message>
        <source>I/O Monitoring</source>
        <translation>I/O 모니터링</translation>
    </message>
    <message>
        <source>I/O Setting</source>
        <translation>I/O 설정</translation>
    </message>
    <message>
        <source>Position Table</source>
        <translation>포지션 테이블</translation>
    </message>
    <message>
        <source>BLDC Parameter</source>
        <translation>BLDC 파라미터</translation>
    </message>
</context>
<context>
    <name>Loading</name>
    <message>
        <source>Reading Parameters</source>
        <translation>파라미터 읽는 중</translation>
    </message>
    <message>
        <source>Reading I/O Mapping</source>
        <translation>I/O 매핑 읽는 중</translation>
    </message>
    <message>
        <source>Loading Position Table Data</source>
        <translation>포지션 테이블 데이터 읽는 중</translation>
    </message>
    <message>
        <source>Reading BLDC Parameters</source>
        <translation>BLDC 파라미터 읽는 중</translation>
    </message>
    <message>
        <source>Loading...</source>
        <translation>읽는 중...</translation>
    </message>
</context>
<context>
    <name>Toolbar</name>
    <message>
        <source>Connect</source>
        <translation>연결</translation>
    </message>
    <message>
        <source>Boards</source>
        <translation>보드</translation>
    </message>
    <message>
        <source>Params</source>
        <translation>파라미터</translation>
    </message>
    <message>
        <source>Axis</source>
        <translation>축</translation>
    </message>
    <message>
        <source>I/O Mon</source>
        <translation>I/O 감시</translation>
    </message>
    <message>
        <source>I/O Set</source>
        <translation>I/O 설정</translation>
    </message>
    <message>
        <source>Motion</source>
        <translation>모션</translation>
    </message>
    <message>
        <source>Table</source>
        <translation>테이블</translation>
    </message>
    <message>
        <source>Cmd Bar</source>
        <translation>명령줄</translation>
    </message>
</context>
<context>
    <name>tarsel::app::CAboutDlg</name>
    <message>
        <source>About Tarsel Tevra GUI</source>
        <translation>Tarsel Tevra GUI 정보</translation>
    </message>
    <message>
        <source>Tevra GUI Version : %1 (rev.%2)</source>
        <translation>Tevra GUI 버전 : %1 (rev.%2)</translation>
    </message>
    <message>
        <source>Supported firmware version :</source>
        <translation>지원 펌웨어 버전 :</translation>
    </message>
    <message>
        <source>1) Dorrin Tevra-ST</source>
        <translation>1) Dorrin Tevra-ST</translation>
    </message>
    <message>
        <source>2) Pellin Tevra-ST</source>
        <translation>2) Pellin Tevra-ST</translation>
    </message>
    <message>
        <source>3) Dorrin Tevra-ABS</source>
        <translation>3) Dorrin Tevra-ABS</translation>
    </message>
    <message>
        <source>4) Ravelo</source>
        <translation>4) Ravelo</translation>
    </message>
</context>
<context>
    <name>tarsel::app::CDlgConnect</name>
    <message>
        <source>Connect to Tarsel Tevra</source>
        <translation>Tarsel Tevra에 연결</translation>
    </message>
    <message>
        <source>File Ver. %1 (rev.%2)</source>
        <translation>파일 버전 %1 (rev.%2)</translation>
    </message>
    <message>
        <source>For %1</source>
        <translation>%1 용</translation>
    </message>
    <message>
        <source>Communication Port</source>
        <translation>통신 포트</translation>
    </message>
    <message>
        <source>Port No.</source>
        <translation>포트 번호</translation>
    </message>
    <message>
        <source>Baudrate</source>
        <translation>통신 속도</translation>
    </message>
    <message>
        <source>Connect</source>
        <translation>연결</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>오류</translation>
    </message>
    <message>
        <source>Connection failed.
Communication Converter was NOT found.</source>
        <translation>연결하지 못했습니다.
통신 변환기를 찾을 수 없습니다.</translation>
    </message>
    <message>
        <source>No drive of Tarsel Tevra product was found.</source>
        <translation>Tarsel Tevra 제품 드라이브를 찾지 못했습니다.</translation>
    </message>
</context>
<context>
    <name>tarsel::app::CViewBoardList</name>
    <message>
        <source>Controller List</source>
        <translation>컨트롤러 목록</translation>
    </message>
    <message>
        <source>Device List</source>
        <translation>장치 목록</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>형식</translation>
    </message>
    <message>
        <source>Motor</source>
        <translation>모터</translation>
    </message>
    <message>
        <source>Information</source>
        <translation>정보</translation>
    </message>
    <message>
        <source>Parameter</source>
        <translation>파라미터</translation>
    </message>
    <message>
        <source>Parameter List</source>
        <translation>파라미터 목록</translation>
    </message>
    <message>
        <source>Axis Parameter</source>
        <translation>축 파라미터</translation>
    </message>
    <message>
        <source>I/O</source>
        <translation>I/O</translation>
    </message>
    <message>
        <source>I/O Monitor</source>
        <translation>I/O 모니터</translation>
    </message>
    <message>
        <source>I/O Setting</source>
        <translation>I/O 설정</translation>
    </message>
    <message>
        <source>Motion</source>
        <translation>모션</translation>
    </message>
    <message>
        <source>Motion Test</source>
        <translation>모션 테스트</translation>
    </message>
    <message>
        <source>Repeat Test</source>
        <translation>반복 테스트</translation>
    </message>
    <message>
        <source>Position Table</source>
        <translation>포지션 테이블</translation>
    </message>
</context>
<context>
    <name>tarsel::dialogs::CDlgParamCompare</name>
    <message>
        <source>Compare Parameters</source>
        <translation>파라미터 비교</translation>
    </message>
    <message>
        <source>File...</source>
        <translation>파일...</translation>
    </message>
    <message>
        <source>Drive:</source>
        <translation>드라이브:</translation>
    </message>
    <message>
        <source>(none)</source>
        <translation>(없음)</translation>
    </message>
    <message>
        <source>Slave %1</source>
        <translation>슬레이브 %1</translation>
    </message>
    <message>
        <source>Compared parameters</source>
        <translation>비교한 파라미터</translation>
    </message>
    <message>
        <source>No.</source>
        <translation>번호</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>이름</translation>
    </message>
    <message>
        <source>Drive</source>
        <translation>드라이브</translation>
    </message>
    <message>
        <source>Other</source>
        <translation>비교 대상</translation>
    </message>
    <message>
        <source>Copy to Drive</source>
        <translation>드라이브로 복사</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>닫기</translation>
    </message>
    <message>
        <source>Parameter File(*.fpt)</source>
        <translation>파라미터 파일(*.fpt)</translation>
    </message>
    <message>
        <source>All Files(*.*)</source>
        <translation>모든 파일(*.*)</translation>
    </message>
    <message>
        <source>Failed to read file.</source>
        <translation>파일을 읽지 못했습니다.</translation>
    </message>
    <message>
        <source>It is NOT a paramerer file or not a supported one.
Please check it again.</source>
        <translation>파라미터 파일이 아니거나 지원하지 않는 파일입니다.
다시 확인해 주십시오.</translation>
    </message>
    <message>
        <source>Choose a parameter file or a drive to compare with.</source>
        <translation>비교할 파라미터 파일이나 드라이브를 고르십시오.</translation>
    </message>
    <message>
        <source>Compared with: %1</source>
        <translation>비교 대상: %1</translation>
    </message>
</context>
<context>
    <name>tarsel::views::CViewAxisParam</name>
    <message>
        <source>Close</source>
        <translation>닫기</translation>
    </message>
</context>
<context>
    <name>tarsel::views::CViewParamList</name>
    <message>
        <source>Show BLDC Parameter</source>
        <translation>BLDC 파라미터 보기</translation>
    </message>
    <message>
        <source>Parameters</source>
        <translation>파라미터</translation>
    </message>
    <message>
        <source>No.</source>
        <translation>번호</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>이름</translation>
    </message>
    <message>
        <source>Range</source>
        <translation>범위</translation>
    </message>
    <message>
        <source>Default</source>
        <translation>기본값</translation>
    </message>
    <message>
        <source>Value</source>
        <translation>값</translation>
    </message>
    <message>
        <source>Field</source>
        <translation>단위</translation>
    </message>
    <message>
        <source>Set to DEFAULT</source>
        <translation>기본값으로 설정</translation>
    </message>
    <message>
        <source>Load ROM</source>
        <translation>ROM 읽기</translation>
    </message>
    <message>
        <source>Save to ROM</source>
        <translation>ROM에 저장</translation>
    </message>
    <message>
        <source>Load File</source>
        <translation>파일 읽기</translation>
    </message>
    <message>
        <source>Save to File</source>
        <translation>파일로 저장</translation>
    </message>
    <message>
        <source>Compare...</source>
        <translation>비교...</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>닫기</translation>
    </message>
    <message>
        <source>Set to default value</source>
        <translation>기본값으로 설정</translation>
    </message>
    <message>
        <source>Do you really want to set parameters to default value?</source>
        <translation>파라미터를 기본값으로 설정하시겠습니까?</translation>
    </message>
    <message>
        <source>Failed to set parameters to default value.</source>
        <translation>파라미터를 기본값으로 설정하지 못했습니다.</translation>
    </message>
    <message>
        <source>Load Parameters from ROM</source>
        <translation>ROM에서 파라미터 읽기</translation>
    </message>
    <message>
        <source>Do you really want to load saved data?</source>
        <translation>저장된 데이터를 읽으시겠습니까?</translation>
    </message>
    <message>
        <source>Loading Parameters..</source>
        <translation>파라미터를 읽는 중..</translation>
    </message>
    <message>
        <source>Failed to load data.</source>
        <translation>데이터를 읽지 못했습니다.</translation>
    </message>
    <message>
        <source>Save Parameters to ROM</source>
        <translation>ROM에 파라미터 저장</translation>
    </message>
    <message>
        <source>Do you really want to save it?</source>
        <translation>저장하시겠습니까?</translation>
    </message>
    <message>
        <source>Saving is done.</source>
        <translation>저장을 마쳤습니다.</translation>
    </message>
    <message>
        <source>Failed to save data.</source>
        <translation>데이터를 저장하지 못했습니다.</translation>
    </message>
    <message>
        <source>Load Parameters from file</source>
        <translation>파일에서 파라미터 읽기</translation>
    </message>
    <message>
        <source>Parameter File(*.fpt)</source>
        <translation>파라미터 파일(*.fpt)</translation>
    </message>
    <message>
        <source>All Files(*.*)</source>
        <translation>모든 파일(*.*)</translation>
    </message>
    <message>
        <source>Failed to read file.</source>
        <translation>파일을 읽지 못했습니다.</translation>
    </message>
    <message>
        <source>It is NOT a paramerer file or not a supported one.
Please check it again.</source>
        <translation>파라미터 파일이 아니거나 지원하지 않는 파일입니다.
다시 확인해 주십시오.</translation>
    </message>
    <message>
        <source>Failed to load file.</source>
        <translation>파일을 불러오지 못했습니다.</translation>
    </message>
    <message>
        <source>Save parameters to file</source>
        <translation>파라미터를 파일로 저장</translation>
    </message>
    <message>
        <source>Saving to file is done.</source>
        <translation>파일 저장을 마쳤습니다.</translation>
    </message>
    <message>
        <source>Failed to save data to file.</source>
        <translation>데이터를 파일로 저장하지 못했습니다.</translation>
    </message>
</context>
<context>
    <name>tarsel::widgets::CProgressDlg</name>
    <message>
        <source>Progress</source>
        <translation>진행</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>취소</translation>
    </message>
</context>
<context>
    <name>tarsel::widgets::CSlaveSelector</name>
    <message>
        <source>Slave No.</source>
        <translation>슬레이브 번호</translation>
    </message>
    <message>
        <source>Previous slave</source>
        <translation>이전 슬레이브</translation>
    </message>
    <message>
        <source>Next slave</source>
        <translation>다음 슬레이브</translation>
    </message>
</context>
<context>
    <name>tarsel::widgets::CValueGrid</name>
    <message>
        <source>Value</source>
        <translation>값</translation>
    </message>
</context>
</TS>
